#pragma once

#include "framework/Dialog.h"
#include "resource.h"

// The About box of the system menu: the icon, the name and the version.
class CAboutDlg final : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr) : CDialog(IDD_ABOUTBOX, pParent) {}
};

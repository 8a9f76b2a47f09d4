#pragma once

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "resource.h"

// The progress dialog: a caption, one status line and a bar. It has no
// handlers of its own; its thread drives it.
class CTolviApplyDlg : public CDialog {
public:
    enum { IDD = IDD_TOLVI_APPLY_DIALOG };

    explicit CTolviApplyDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

    CProgressCtrl m_progress;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_APPLY_PROGRESS, m_progress);
    }
};

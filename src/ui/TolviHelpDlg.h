#pragma once

#include "framework/Dialog.h"

#include <string>

// How to use the program, and what it is.
class CTolviHelpDlg final : public CDialog {
public:
    // The text shown, line feeds and indentation included.
    static std::string HelpText();

    explicit CTolviHelpDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    std::string m_strHelp;
};

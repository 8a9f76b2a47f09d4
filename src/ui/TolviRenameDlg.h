#pragma once

#include "framework/Dialog.h"
#include "framework/Edit.h"

#include <string>

// Asks for a configuration's new name, starting from its current one.
class CTolviRenameDlg final : public CDialog {
public:
    explicit CTolviRenameDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    CEdit m_editName;
    // Set by the caller before the run.
    std::string m_strOldName;
    // The new name; set on OK.
    char m_szName[516] = {};

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnClickedOk();
};

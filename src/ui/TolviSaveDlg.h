#pragma once

#include "framework/ComboBox.h"
#include "framework/Dialog.h"

class CConfigList;

// Asks for the name to save the shown settings under, offering the names
// already in use.
class CTolviSaveDlg final : public CDialog {
public:
    explicit CTolviSaveDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    CComboBox m_comboName;
    // The name entered; set on OK.
    char m_szName[516] = {};
    CConfigList* m_pList = nullptr;

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnClickedOk();
    void OnClickedCancel();
};

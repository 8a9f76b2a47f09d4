#pragma once

#include "framework/Dialog.h"
#include "framework/ListBox.h"

class CConfigList;

// Moves configurations up and down the list, which sets the order automatic
// configuration tries them in. Every move changes the list at once.
class CTolviRearrangeDlg final : public CDialog {
public:
    explicit CTolviRearrangeDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    CListBox m_listConfig;
    CConfigList* m_pList = nullptr;

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnUp();
    void OnDown();
    void OnClickedOk();

private:
    // Exchanges entries nUpper and nUpper + 1 in the list and on screen.
    void SwapEntries(int nUpper);
};

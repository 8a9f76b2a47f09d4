#pragma once

#include "config/BoundedList.h"
#include "config/Configuration.h"
#include "config/ConnectionSettings.h"
#include "framework/Dialog.h"
#include "framework/ListBox.h"
#include "ui/TolviEntryDlg.h"

#include <cstddef>

class IMessageBox;

// A static address's IP addresses and default gateways as two lists, as
// Windows keeps them: the first of each is what the main dialog's fields
// show, the others are added after it. The first gateway's metric is always
// kFirstGatewayMetric. Nothing changes for the caller unless it ends with OK.
class CTolviAdvancedDlg final : public CDialog {
public:
    explicit CTolviAdvancedDlg(IMessageBox& messages, CWnd* pParent = nullptr);

    // The lists start from the settings' addresses and gateways.
    void Load(const ConnectionSettings& settings);
    // The lists back into the settings: the first of each into its own field.
    void StoreInto(ConnectionSettings& settings) const;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnAddAddress() { Open(Kind::Address, m_addresses.size()); }
    void OnEditAddress() { OpenSelected(Kind::Address); }
    void OnRemoveAddress() { RemoveSelected(Kind::Address); }
    void OnAddressUp() { MoveSelected(Kind::Address, -1); }
    void OnAddressDown() { MoveSelected(Kind::Address, 1); }
    void OnSelchangeAddresses() { UpdateButtons(Kind::Address); }
    void OnAddGateway() { Open(Kind::Gateway, m_gateways.size()); }
    void OnEditGateway() { OpenSelected(Kind::Gateway); }
    void OnRemoveGateway() { RemoveSelected(Kind::Gateway); }
    void OnGatewayUp() { MoveSelected(Kind::Gateway, -1); }
    void OnGatewayDown() { MoveSelected(Kind::Gateway, 1); }
    void OnSelchangeGateways() { UpdateButtons(Kind::Gateway); }

private:
    using Kind = CTolviEntryDlg::Kind;
    using Addresses = BoundedList<AddressMask, kMaxAddresses>;
    using Gateways = BoundedList<GatewayMetric, kMaxGateways>;

    CListBox& ListOf(Kind kind) { return kind == Kind::Address ? m_listAddresses : m_listGateways; }
    std::size_t CountOf(Kind kind) const { return kind == Kind::Address ? m_addresses.size() : m_gateways.size(); }
    // The list's entry nIndex is selected, so that Edit and Remove act on it.
    bool Selected(Kind kind, std::size_t& nIndex);
    // Entry nIndex in the entry dialog; one past the last adds an entry.
    void Open(Kind kind, std::size_t nIndex);
    void OpenSelected(Kind kind);
    void RemoveSelected(Kind kind);
    void MoveSelected(Kind kind, int nBy);
    // The list box from the list, with entry nSelect selected.
    void Refill(Kind kind, std::size_t nSelect);
    // Each button takes input when it can act; focus on a button that no
    // longer can moves to its list.
    void UpdateButtons(Kind kind);

    IMessageBox& m_messages;
    Addresses m_addresses;
    Gateways m_gateways;
    CListBox m_listAddresses;
    CListBox m_listGateways;
};

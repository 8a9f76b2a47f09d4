#pragma once

#include "config/Configuration.h"
#include "config/Ipv4Addr.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/IPAddressCtrl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class IMessageBox;

// Asks for one entry of the advanced settings' lists: an IP address with its
// subnet mask, or a default gateway with its metric. OK keeps the dialog
// open, with a message, while the entry could not be applied.
class CTolviEntryDlg final : public CDialog {
public:
    enum class Kind { Address, Gateway };

    CTolviEntryDlg(Kind kind, IMessageBox& messages, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

    // The entry shown, none for a new one; what was entered after OK.
    Ipv4Addr m_address;
    Ipv4Addr m_mask;
    std::uint32_t m_nMetric = kFirstGatewayMetric;
    // The first gateway's metric is not the user's to choose.
    bool m_bFixedMetric = false;
    // The list's other addresses or gateways, which the entry may not repeat.
    std::vector<Ipv4Addr> m_others;

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnFieldchangedAddress(NMHDR& header, LRESULT& result);
    void OnFieldchangedMask(NMHDR& header, LRESULT& result);

private:
    enum class Field { Address, Mask, Metric };
    struct Refusal {
        std::string text;
        Field field;
    };
    // Why the entry cannot be applied, and the field to correct.
    std::optional<Refusal> Check() const;
    void FocusOn(Field field);

    Kind m_kind;
    IMessageBox& m_messages;
    CIPAddressCtrl m_ipAddress;
    CIPAddressCtrl m_ipMask;
    CEdit m_editMetric;
    std::string m_strMetric;
};

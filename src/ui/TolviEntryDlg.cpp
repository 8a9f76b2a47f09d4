#include "ui/TolviEntryDlg.h"

#include "platform/MessageBox.h"
#include "resource.h"

#include <algorithm>
#include <charconv>

namespace {

// Ones, then zeros, from the first octet on: 255.255.240.0 but not 255.0.255.0.
bool IsSubnetMask(Ipv4Addr mask)
{
    const std::uint32_t inverse = ~mask.ControlOrder();
    return !mask.IsNone() && (inverse & (inverse + 1)) == 0;
}

// The metric typed, when it is one Windows takes; else 0.
std::uint32_t MetricOf(const std::string& text)
{
    std::uint32_t value = 0;
    const char* pszEnd = text.data() + text.size();
    const auto [pszStop, error] = std::from_chars(text.data(), pszEnd, value);
    const bool bWhole = error == std::errc() && pszStop == pszEnd;
    return bWhole && value >= kMinGatewayMetric && value <= kMaxGatewayMetric ? value : 0;
}

} // namespace

CTolviEntryDlg::CTolviEntryDlg(Kind kind, IMessageBox& messages, CWnd* pParent)
    : CDialog(kind == Kind::Address ? IDD_TOLVI_ADDRESS_DIALOG : IDD_TOLVI_GATEWAY_DIALOG, pParent), m_kind(kind),
      m_messages(messages)
{
}

std::span<const MessageMapEntry> CTolviEntryDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnNotify(IDC_ENTRY_ADDRESS, IPN_FIELDCHANGED, &CTolviEntryDlg::OnFieldchangedAddress),
        OnNotify(IDC_ENTRY_MASK, IPN_FIELDCHANGED, &CTolviEntryDlg::OnFieldchangedMask),
    };
    return kMessageMap;
}

void CTolviEntryDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_ENTRY_ADDRESS, m_ipAddress);
    DDX_IPAddress(dx, IDC_ENTRY_ADDRESS, m_address);
    if (m_kind == Kind::Address) {
        DDX_Control(dx, IDC_ENTRY_MASK, m_ipMask);
        DDX_IPAddress(dx, IDC_ENTRY_MASK, m_mask);
    } else {
        DDX_Control(dx, IDC_ENTRY_METRIC, m_editMetric);
        DDX_Text(dx, IDC_ENTRY_METRIC, m_strMetric);
    }
}

BOOL CTolviEntryDlg::OnInitDialog()
{
    m_strMetric = std::to_string(m_bFixedMetric ? kFirstGatewayMetric : m_nMetric);
    CDialog::OnInitDialog();
    if (m_kind == Kind::Gateway) {
        m_editMetric.LimitText(4);
        m_editMetric.EnableWindow(!m_bFixedMetric);
    }
    return TRUE;
}

void CTolviEntryDlg::OnFieldchangedAddress(NMHDR&, LRESULT& result)
{
    m_ipAddress.ClearWhenNone();
    result = 0;
}

void CTolviEntryDlg::OnFieldchangedMask(NMHDR&, LRESULT& result)
{
    m_ipMask.ClearWhenNone();
    result = 0;
}

std::optional<CTolviEntryDlg::Refusal> CTolviEntryDlg::Check() const
{
    const bool bAddress = m_kind == Kind::Address;
    if (m_address.IsNone())
        return Refusal{bAddress ? "Enter the IP address." : "Enter the gateway's IP address.", Field::Address};
    if (std::ranges::find(m_others, m_address) != m_others.end())
        return Refusal{m_address.Dotted() + " is in the list already.", Field::Address};
    if (bAddress && !IsSubnetMask(m_mask))
        return Refusal{"The subnet mask is not valid: its ones come first, as in 255.255.255.0.", Field::Mask};
    if (!bAddress && MetricOf(m_strMetric) == 0)
        return Refusal{"The metric is a number from " + std::to_string(kMinGatewayMetric) + " to " +
                           std::to_string(kMaxGatewayMetric) + ".",
                       Field::Metric};
    return std::nullopt;
}

void CTolviEntryDlg::FocusOn(Field field)
{
    if (field == Field::Metric)
        GotoDlgCtrl(&m_editMetric);
    else
        (field == Field::Address ? m_ipAddress : m_ipMask).SetFieldFocus(0);
}

void CTolviEntryDlg::OnOK()
{
    UpdateData(TRUE);
    if (const std::optional<Refusal> refusal = Check()) {
        m_messages.Show(refusal->text.c_str(), mb::kOk | mb::kIconError);
        FocusOn(refusal->field);
        return;
    }
    if (m_kind == Kind::Gateway)
        m_nMetric = MetricOf(m_strMetric);
    EndDialog(IDOK);
}

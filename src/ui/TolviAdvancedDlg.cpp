#include "ui/TolviAdvancedDlg.h"

#include "resource.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Where the mask and the metric start, in dialog units: under their headings.
constexpr int kSecondColumn = 80;

// A space ends the first column: the background filled up to the tab stop
// would otherwise cut off a last digit that reaches past its width.
std::string EntryText(const AddressMask& entry)
{
    return entry.address.Dotted() + " \t" + (entry.mask.IsNone() ? std::string() : entry.mask.Dotted());
}

std::string EntryText(const GatewayMetric& entry)
{
    return entry.gateway.Dotted() + " \t" + std::to_string(entry.metric);
}

Ipv4Addr AddressOf(const AddressMask& entry)
{
    return entry.address;
}

Ipv4Addr AddressOf(const GatewayMetric& entry)
{
    return entry.gateway;
}

// The addresses of every entry but nExcept.
template <class List>
std::vector<Ipv4Addr> Others(const List& list, std::size_t nExcept)
{
    std::vector<Ipv4Addr> others;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i != nExcept)
            others.push_back(AddressOf(list[i]));
    }
    return others;
}

// Replaces entry nIndex, or adds the entry when nIndex is one past the last.
template <class List, class Entry>
void Put(List& list, std::size_t nIndex, const Entry& entry)
{
    if (nIndex < list.size())
        list[nIndex] = entry;
    else
        list.push_back(entry);
}

// The entries after the first.
template <class More, class List>
More Rest(const List& list)
{
    More more;
    for (std::size_t i = 1; i < list.size(); ++i)
        more.push_back(list[i]);
    return more;
}

template <class List>
void Fill(CListBox& box, const List& list)
{
    box.ResetContent();
    for (const auto& entry : list)
        box.AddString(EntryText(entry).c_str());
}

} // namespace

CTolviAdvancedDlg::CTolviAdvancedDlg(IMessageBox& messages, CWnd* pParent)
    : CDialog(IDD_TOLVI_ADVANCED_DIALOG, pParent), m_messages(messages)
{
}

std::span<const MessageMapEntry> CTolviAdvancedDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnCommand(IDC_ADD_ADDRESS, BN_CLICKED, &CTolviAdvancedDlg::OnAddAddress),
        OnCommand(IDC_EDIT_ADDRESS, BN_CLICKED, &CTolviAdvancedDlg::OnEditAddress),
        OnCommand(IDC_LIST_ADDRESSES, LBN_DBLCLK, &CTolviAdvancedDlg::OnEditAddress),
        OnCommand(IDC_REMOVE_ADDRESS, BN_CLICKED, &CTolviAdvancedDlg::OnRemoveAddress),
        OnCommand(IDC_ADDRESS_UP, BN_CLICKED, &CTolviAdvancedDlg::OnAddressUp),
        OnCommand(IDC_ADDRESS_DOWN, BN_CLICKED, &CTolviAdvancedDlg::OnAddressDown),
        OnCommand(IDC_LIST_ADDRESSES, LBN_SELCHANGE, &CTolviAdvancedDlg::OnSelchangeAddresses),
        OnCommand(IDC_ADD_GATEWAY, BN_CLICKED, &CTolviAdvancedDlg::OnAddGateway),
        OnCommand(IDC_EDIT_GATEWAY, BN_CLICKED, &CTolviAdvancedDlg::OnEditGateway),
        OnCommand(IDC_LIST_GATEWAYS, LBN_DBLCLK, &CTolviAdvancedDlg::OnEditGateway),
        OnCommand(IDC_REMOVE_GATEWAY, BN_CLICKED, &CTolviAdvancedDlg::OnRemoveGateway),
        OnCommand(IDC_GATEWAY_UP, BN_CLICKED, &CTolviAdvancedDlg::OnGatewayUp),
        OnCommand(IDC_GATEWAY_DOWN, BN_CLICKED, &CTolviAdvancedDlg::OnGatewayDown),
        OnCommand(IDC_LIST_GATEWAYS, LBN_SELCHANGE, &CTolviAdvancedDlg::OnSelchangeGateways),
    };
    return kMessageMap;
}

void CTolviAdvancedDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST_ADDRESSES, m_listAddresses);
    DDX_Control(dx, IDC_LIST_GATEWAYS, m_listGateways);
}

void CTolviAdvancedDlg::Load(const ConnectionSettings& settings)
{
    m_addresses.clear();
    m_gateways.clear();
    if (!settings.ipAddress.IsNone()) {
        m_addresses.push_back({settings.ipAddress, settings.subnetMask});
        for (const AddressMask& more : settings.moreAddresses)
            m_addresses.push_back(more);
    }
    if (!settings.gateway.IsNone()) {
        m_gateways.push_back({settings.gateway, kFirstGatewayMetric});
        for (const GatewayMetric& more : settings.moreGateways)
            m_gateways.push_back(more);
    }
}

void CTolviAdvancedDlg::StoreInto(ConnectionSettings& settings) const
{
    const AddressMask first = m_addresses.empty() ? AddressMask{} : m_addresses[0];
    settings.ipAddress = first.address;
    settings.subnetMask = first.mask;
    settings.moreAddresses = Rest<MoreAddresses>(m_addresses);
    settings.gateway = m_gateways.empty() ? Ipv4Addr() : m_gateways[0].gateway;
    settings.moreGateways = Rest<MoreGateways>(m_gateways);
}

BOOL CTolviAdvancedDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const Kind kind : {Kind::Address, Kind::Gateway}) {
        ListOf(kind).SetTabStops(kSecondColumn);
        Refill(kind, 0);
    }
    return TRUE;
}

bool CTolviAdvancedDlg::Selected(Kind kind, std::size_t& nIndex)
{
    const int nSelected = ListOf(kind).GetCurSel();
    nIndex = static_cast<std::size_t>(nSelected);
    return nSelected >= 0 && nIndex < CountOf(kind);
}

void CTolviAdvancedDlg::Open(Kind kind, std::size_t nIndex)
{
    const bool bAddress = kind == Kind::Address;
    const bool bNew = nIndex >= CountOf(kind);
    CTolviEntryDlg dlg(kind, m_messages, this);
    if (bAddress) {
        if (!bNew) {
            dlg.m_address = m_addresses[nIndex].address;
            dlg.m_mask = m_addresses[nIndex].mask;
        }
        dlg.m_others = Others(m_addresses, nIndex);
    } else {
        dlg.m_bFixedMetric = nIndex == 0;
        // A new gateway is offered the metric of its place, so that the
        // list's order is the order Windows tries them in.
        dlg.m_nMetric = bNew ? static_cast<std::uint32_t>(nIndex + 1) : m_gateways[nIndex].metric;
        if (!bNew)
            dlg.m_address = m_gateways[nIndex].gateway;
        dlg.m_others = Others(m_gateways, nIndex);
    }
    if (dlg.DoModal() != IDOK)
        return;
    if (bAddress)
        Put(m_addresses, nIndex, AddressMask{dlg.m_address, dlg.m_mask});
    else
        Put(m_gateways, nIndex, GatewayMetric{dlg.m_address, dlg.m_nMetric});
    Refill(kind, nIndex);
}

void CTolviAdvancedDlg::OpenSelected(Kind kind)
{
    std::size_t i = 0;
    if (Selected(kind, i))
        Open(kind, i);
}

void CTolviAdvancedDlg::RemoveSelected(Kind kind)
{
    std::size_t i = 0;
    if (!Selected(kind, i))
        return;
    if (kind == Kind::Address)
        m_addresses.erase(i);
    else
        m_gateways.erase(i);
    Refill(kind, i);
}

void CTolviAdvancedDlg::MoveSelected(Kind kind, int nBy)
{
    std::size_t i = 0;
    if (!Selected(kind, i) || (nBy < 0 && i == 0) || (nBy > 0 && i + 1 >= CountOf(kind)))
        return;
    const std::size_t j = nBy < 0 ? i - 1 : i + 1;
    if (kind == Kind::Address)
        std::swap(m_addresses[i], m_addresses[j]);
    else
        std::swap(m_gateways[i], m_gateways[j]);
    Refill(kind, j);
}

void CTolviAdvancedDlg::Refill(Kind kind, std::size_t nSelect)
{
    if (kind == Kind::Address) {
        Fill(m_listAddresses, m_addresses);
    } else {
        // Whichever gateway comes first takes the first one's metric.
        if (!m_gateways.empty())
            m_gateways[0].metric = kFirstGatewayMetric;
        Fill(m_listGateways, m_gateways);
    }
    const std::size_t nCount = CountOf(kind);
    ListOf(kind).SetCurSel(nCount == 0 ? -1 : static_cast<int>(std::min(nSelect, nCount - 1)));
    UpdateButtons(kind);
}

void CTolviAdvancedDlg::UpdateButtons(Kind kind)
{
    const bool bAddress = kind == Kind::Address;
    const int nCount = static_cast<int>(CountOf(kind));
    const int nSelected = ListOf(kind).GetCurSel();
    const bool bSelected = nSelected >= 0 && nSelected < nCount;
    const int nCapacity = static_cast<int>(bAddress ? Addresses::capacity() : Gateways::capacity());
    const struct {
        int nID;
        bool bCanAct;
    } buttons[] = {
        {bAddress ? IDC_ADD_ADDRESS : IDC_ADD_GATEWAY, nCount < nCapacity},
        {bAddress ? IDC_EDIT_ADDRESS : IDC_EDIT_GATEWAY, bSelected},
        {bAddress ? IDC_REMOVE_ADDRESS : IDC_REMOVE_GATEWAY, bSelected},
        {bAddress ? IDC_ADDRESS_UP : IDC_GATEWAY_UP, bSelected && nSelected > 0},
        {bAddress ? IDC_ADDRESS_DOWN : IDC_GATEWAY_DOWN, bSelected && nSelected < nCount - 1},
    };
    for (const auto& button : buttons) {
        if (!button.bCanAct && GetFocus() == GetDlgItem(button.nID))
            GotoDlgCtrl(&ListOf(kind));
        EnableDlgItem(button.nID, button.bCanAct);
    }
}

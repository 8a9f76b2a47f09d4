#include "ui/TolviRearrangeDlg.h"

#include "config/ConfigList.h"
#include "resource.h"

#include <string>

CTolviRearrangeDlg::CTolviRearrangeDlg(CWnd* pParent) : CDialog(IDD_TOLVI_REARRANGE_DIALOG, pParent) {}

std::span<const MessageMapEntry> CTolviRearrangeDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnCommand(IDC_UP, BN_CLICKED, &CTolviRearrangeDlg::OnUp),
        OnCommand(IDC_DOWN, BN_CLICKED, &CTolviRearrangeDlg::OnDown),
        OnCommand(IDOK, BN_CLICKED, &CTolviRearrangeDlg::OnClickedOk),
    };
    return kMessageMap;
}

void CTolviRearrangeDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LIST_CONFIGURATIONS, m_listConfig);
}

BOOL CTolviRearrangeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pList) {
        for (const CONFIGURATION& config : *m_pList)
            m_listConfig.AddString(config.szName);
    }
    m_listConfig.SetCurSel(0);
    return TRUE;
}

void CTolviRearrangeDlg::OnUp()
{
    const int s = m_listConfig.GetCurSel();
    if (s <= 0)
        return;
    SwapEntries(s - 1);
    m_listConfig.SetCurSel(s - 1);
}

void CTolviRearrangeDlg::OnDown()
{
    const int s = m_listConfig.GetCurSel();
    if (s < 0 || s >= m_listConfig.GetCount() - 1)
        return;
    SwapEntries(s);
    m_listConfig.SetCurSel(s + 1);
}

void CTolviRearrangeDlg::SwapEntries(int nUpper)
{
    const std::string upper = m_listConfig.GetText(nUpper);
    const std::string lower = m_listConfig.GetText(nUpper + 1);
    // The names are unique, so they stand for their configurations.
    if (!m_pList || m_pList->Swap(upper.c_str(), lower.c_str()) != CONFIG_DONE)
        return;
    m_listConfig.DeleteString(nUpper);
    m_listConfig.DeleteString(nUpper);
    m_listConfig.InsertString(nUpper, upper.c_str());
    m_listConfig.InsertString(nUpper, lower.c_str());
}

void CTolviRearrangeDlg::OnClickedOk()
{
    CDialog::OnOK();
}

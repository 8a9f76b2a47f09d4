#include "ui/TolviSaveDlg.h"

#include "config/ConfigList.h"
#include "resource.h"
#include "ui/NameLimit.h"

#include <cstdio>

CTolviSaveDlg::CTolviSaveDlg(CWnd* pParent) : CDialog(IDD_TOLVI_SAVE_DIALOG, pParent) {}

std::span<const MessageMapEntry> CTolviSaveDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnCommand(IDOK, BN_CLICKED, &CTolviSaveDlg::OnClickedOk),
        OnCommand(IDCANCEL, BN_CLICKED, &CTolviSaveDlg::OnClickedCancel),
    };
    return kMessageMap;
}

void CTolviSaveDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_COMBO_NAME, m_comboName);
}

BOOL CTolviSaveDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_comboName.LimitText(kNameLimit);
    if (m_pList) {
        for (const CONFIGURATION& config : *m_pList)
            m_comboName.AddString(config.szName);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CTolviSaveDlg::OnClickedOk()
{
    const std::string typed = m_comboName.GetWindowText();
    const std::string_view name = WholeCharacters(typed, static_cast<std::size_t>(kNameLimit));
    std::snprintf(m_szName, sizeof m_szName, "%.*s", static_cast<int>(name.size()), name.data());
    CDialog::OnOK();
}

void CTolviSaveDlg::OnClickedCancel()
{
    CDialog::OnCancel();
}

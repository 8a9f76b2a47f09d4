#include "ui/TolviRenameDlg.h"

#include "resource.h"
#include "ui/NameLimit.h"

#include <cstdio>

CTolviRenameDlg::CTolviRenameDlg(CWnd* pParent) : CDialog(IDD_TOLVI_RENAME_DIALOG, pParent) {}

std::span<const MessageMapEntry> CTolviRenameDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnCommand(IDOK, BN_CLICKED, &CTolviRenameDlg::OnClickedOk),
    };
    return kMessageMap;
}

void CTolviRenameDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_EDIT_NAME, m_editName);
}

BOOL CTolviRenameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editName.LimitText(kNameLimit);
    m_editName.SetWindowText(m_strOldName.c_str());
    m_editName.SetSel(0, -1);
    m_editName.SendMessage(EM_SCROLLCARET);
    return TRUE;
}

void CTolviRenameDlg::OnClickedOk()
{
    const std::string typed = m_editName.GetWindowText();
    const std::string_view name = WholeCharacters(typed, static_cast<std::size_t>(kNameLimit));
    std::snprintf(m_szName, sizeof m_szName, "%.*s", static_cast<int>(name.size()), name.data());
    CDialog::OnOK();
}

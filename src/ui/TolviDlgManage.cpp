// What the main dialog's buttons for saving, renaming, deleting and
// rearranging configurations do, and the preferences and help it opens.
#include "ui/TolviDlg.h"

#include "ui/ConnectionCombo.h"
#include "ui/TolviHelpDlg.h"
#include "ui/TolviPrefDlg.h"
#include "ui/TolviRearrangeDlg.h"
#include "ui/TolviRenameDlg.h"
#include "ui/TolviSaveDlg.h"

#include <string>

namespace {

constexpr char kReservedName[] = "This name is reserved.";

} // namespace

int CTolviDlg::Message(const char* pszText, unsigned flags)
{
    return m_system.messages.Show(pszText, flags);
}

bool CTolviDlg::IsPlaceholder(const std::string& name) const
{
    return name == m_szNewConfiguration;
}

bool CTolviDlg::MayChangeDefinitions()
{
    // A portable Tolvi runs elevated whenever it runs at all.
    IElevation& elevation = m_system.elevation;
    if (elevation.IsAdministrator() || !elevation.ServiceInstalled())
        return true;
    if (Message("Changing configurations, preferences or start-up, or applying settings that are not saved, needs "
                "administrator rights.\n\nRestart Tolvi with administrator rights to make the change?",
                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    // Nothing was changed here, so nothing is lost when this one ends.
    if (elevation.RunElevated("", false))
        OnOK();
    else
        Message("Tolvi was not restarted: administrator rights were not given.", MB_OK | MB_ICONERROR);
    return false;
}

std::string CTolviDlg::SelectedConfigurationName() const
{
    return m_comboConfiguration.GetLBText(m_comboConfiguration.GetCurSel());
}

void CTolviDlg::OnSave()
{
    if (!MayChangeDefinitions())
        return;
    const char* pszConnection = SelectedConnectionName(m_comboConnection, m_networkInfo);
    if (!pszConnection) {
        Message("No network connection is selected.", MB_OK | MB_ICONERROR);
        return;
    }
    const ConnectionSettings shown = FieldSettings();
    if (const CONFIGURATION* pSame = m_configList.FindIdentical(pszConnection, shown)) {
        const std::string text = std::string("There is a exactly same configuration named '") + pSame->szName + "'";
        Message(text.c_str(), MB_OK | MB_ICONERROR);
        return;
    }

    CTolviSaveDlg dlg(this);
    dlg.m_pList = &m_configList;
    if (dlg.DoModal() != IDOK || dlg.m_szName[0] == '\0')
        return;
    if (IsPlaceholder(dlg.m_szName)) {
        Message(kReservedName, MB_OK | MB_ICONERROR);
        return;
    }
    const auto add = [&] { return m_configList.Add(dlg.m_szName, pszConnection, shown); };
    if (add() == CONFIG_NAME_EXISTS && Message("There is a configuration that have same name. Overwrite it?",
                                               MB_YESNO | MB_ICONQUESTION | mb::kDefaultButton2) == IDYES) {
        m_configList.Remove(dlg.m_szName);
        add();
    }
    FillConfigurationCombo();
}

void CTolviDlg::OnRename()
{
    if (!MayChangeDefinitions())
        return;
    const std::string oldName = SelectedConfigurationName();
    if (IsPlaceholder(oldName))
        return;
    CTolviRenameDlg dlg(this);
    dlg.m_strOldName = oldName;
    if (dlg.DoModal() != IDOK)
        return;
    if (IsPlaceholder(dlg.m_szName))
        Message(kReservedName, MB_OK | MB_ICONERROR);
    else if (oldName != dlg.m_szName && m_configList.Rename(oldName.c_str(), dlg.m_szName) == CONFIG_NAME_EXISTS)
        Message("There is a configuration that have same name.", MB_OK | MB_ICONERROR);
    FillConfigurationCombo();
}

void CTolviDlg::OnDelete()
{
    if (!MayChangeDefinitions())
        return;
    const std::string name = SelectedConfigurationName();
    if (IsPlaceholder(name))
        return;
    const std::string question = "Are you sure to delete configuration named '" + name + "'?";
    if (Message(question.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_configList.Remove(name.c_str());
    FillConfigurationCombo();
}

void CTolviDlg::OnRearrange()
{
    if (!MayChangeDefinitions())
        return;
    if (!m_configList.GetHead()) {
        Message("There is no configuration.", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CTolviRearrangeDlg dlg(this);
    dlg.m_pList = &m_configList;
    dlg.DoModal();
    FillConfigurationCombo();
}

void CTolviDlg::OnPreferences()
{
    if (!MayChangeDefinitions())
        return;
    CTolviPrefDlg dlg(m_system.Startup(), this);
    dlg.m_pNetworkInfo = &m_networkInfo;
    dlg.m_pConfigList = &m_configList;
    dlg.DoModal();
}

void CTolviDlg::OnHelp()
{
    CTolviHelpDlg(this).DoModal();
}

#include "ui/TolviPrefDlg.h"

#include "config/ConfigList.h"
#include "net/NetworkInfo.h"
#include "platform/MessageBox.h"
#include "resource.h"
#include "ui/ConnectionCombo.h"
#include "ui/StartupActions.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

CTolviPrefDlg::CTolviPrefDlg(const StartupServices& startup, CWnd* pParent)
    : CDialog(IDD_TOLVI_PREF_DIALOG, pParent), m_startup(startup)
{
}

std::span<const MessageMapEntry> CTolviPrefDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnCommand(IDOK, BN_CLICKED, &CTolviPrefDlg::OnBnClickedOk),
        OnCommand(IDC_REGISTER_UI_MODE, BN_CLICKED, &CTolviPrefDlg::OnRegisterUiMode),
        OnCommand(IDC_UNREGISTER, BN_CLICKED, &CTolviPrefDlg::OnUnregister),
        OnCommand(IDC_REGISTER_AUTO_MODE, BN_CLICKED, &CTolviPrefDlg::OnRegisterAutoMode),
        OnCommand(IDC_REGISTER_TRAY_MODE, BN_CLICKED, &CTolviPrefDlg::OnRegisterTrayMode),
    };
    return kMessageMap;
}

void CTolviPrefDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_COMBO_CONNECTION, m_comboConnection);
    DDX_Check(dx, IDC_CHECK_EXIT_AFTER_APPLY, m_bExitAfterApply);
    DDX_Check(dx, IDC_CHECK_EXIT_AFTER_AUTO, m_bExitAfterAuto);
    DDX_IPAddress(dx, IDC_TEST_ADDRESS, m_testAddress);
    DDX_Text(dx, IDC_DHCP_WAIT, m_strDhcpWait);
}

BOOL CTolviPrefDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_pNetworkInfo || !m_pConfigList)
        return TRUE;
    const PREFERENCES& preferences = m_pConfigList->GetPreferences();
    FillConnectionCombo(m_comboConnection, *m_pNetworkInfo, preferences.szDefaultConnection);
    m_bExitAfterApply = preferences.bExitAfterApply;
    m_bExitAfterAuto = preferences.bExitAfterAuto;
    m_testAddress = Ipv4Addr::FromControlOrder(preferences.dwTestAddress);
    // Unsigned, as stored: a digits-only field cannot show a minus sign.
    m_strDhcpWait = std::to_string(preferences.nDhcpWait);
    UpdateData(FALSE);
    return TRUE;
}

std::uint32_t CTolviPrefDlg::DhcpWaitOf(std::string_view text)
{
    constexpr std::uint32_t kLargest = std::numeric_limits<std::int32_t>::max();
    std::size_t k = 0;
    while (k < text.size() && (text[k] == ' ' || (text[k] >= '\t' && text[k] <= '\r')))
        ++k;
    bool bNegative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-'))
        bNegative = text[k++] == '-';
    std::uint64_t value = 0;
    for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k)
        value = std::min<std::uint64_t>(value * 10 + static_cast<unsigned>(text[k] - '0'), kLargest);
    // A negative wait would be read as a wait of weeks.
    return bNegative ? 0 : static_cast<std::uint32_t>(value);
}

void CTolviPrefDlg::OnBnClickedOk()
{
    UpdateData(TRUE);
    // An empty address reads as 0.0.0.0, which nothing answers.
    if (m_testAddress.IsNone()) {
        m_startup.messages.Show(
            "Enter the IP address for testing the connection: automatic configuration sends its echo "
            "request there and takes an answer as a sign that the settings work.",
            mb::kOk | mb::kIconError);
        ::SendMessageW(GetDlgItem(IDC_TEST_ADDRESS), IPM_SETFOCUS, 0, 0);
        return;
    }
    const std::uint32_t dwDhcpWait = DhcpWaitOf(m_strDhcpWait);
    // The program stays hidden for as long as it waits.
    if (dwDhcpWait > kMaximumDhcpWait) {
        const std::string text = "The waiting time for a lease from the DHCP server can be at most " +
                                 std::to_string(kMaximumDhcpWait) + " milliseconds (one minute).";
        m_startup.messages.Show(text.c_str(), mb::kOk | mb::kIconError);
        const HWND hWait = GetDlgItem(IDC_DHCP_WAIT);
        ::SetFocus(hWait);
        ::SendMessageW(hWait, EM_SETSEL, 0, -1);
        return;
    }
    if (m_pNetworkInfo && m_pConfigList) {
        PREFERENCES& preferences = m_pConfigList->GetPreferences();
        // No selection, or one without a name, leaves the default as it was.
        if (const char* pszName = SelectedConnectionName(m_comboConnection, *m_pNetworkInfo))
            std::snprintf(preferences.szDefaultConnection, sizeof preferences.szDefaultConnection, "%s", pszName);
        preferences.bExitAfterApply = m_bExitAfterApply;
        preferences.bExitAfterAuto = m_bExitAfterAuto;
        preferences.dwTestAddress = m_testAddress.ControlOrder();
        preferences.nDhcpWait = dwDhcpWait;
    }
    CDialog::OnOK();
}

void CTolviPrefDlg::OnRegisterUiMode()
{
    RegisterAtLogOn(m_startup, StartupMode::Normal);
}

void CTolviPrefDlg::OnRegisterAutoMode()
{
    RegisterAtLogOn(m_startup, StartupMode::Automatic);
}

void CTolviPrefDlg::OnRegisterTrayMode()
{
    RegisterAtLogOn(m_startup, StartupMode::Tray);
}

void CTolviPrefDlg::OnUnregister()
{
    UnregisterAtLogOn(m_startup.startup, m_startup.messages);
}

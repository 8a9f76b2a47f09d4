#pragma once

#include "config/Ipv4Addr.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "ui/StartupActions.h"

#include <cstdint>
#include <string>
#include <string_view>

class CConfigList;
class CNetworkInfo;

// Edits the preferences, which change only on OK, and registers the program
// to start at log-on, which happens at once.
class CTolviPrefDlg final : public CDialog {
public:
    // Registration goes through `startup`; messages are told in its box.
    CTolviPrefDlg(const StartupServices& startup, CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

    // The decimal wait as atoi reads it, but never below 0 and, when the
    // digits go beyond it, the largest wait a signed 32-bit number holds.
    static std::uint32_t DhcpWaitOf(std::string_view text);

    CComboBox m_comboConnection;
    CNetworkInfo* m_pNetworkInfo = nullptr;
    CConfigList* m_pConfigList = nullptr;
    int m_bExitAfterApply = 0;
    int m_bExitAfterAuto = 0;
    Ipv4Addr m_testAddress;
    std::string m_strDhcpWait;

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void OnBnClickedOk();
    void OnRegisterUiMode();
    void OnRegisterAutoMode();
    void OnRegisterTrayMode();
    void OnUnregister();

private:
    const StartupServices m_startup;
};

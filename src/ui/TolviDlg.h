#pragma once

#include "config/ConfigList.h"
#include "engine/ExitCode.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/IPAddressCtrl.h"
#include "net/NetworkInfo.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/DialogOperations.h"
#include "ui/EngineParts.h"
#include "ui/MainWindow.h"
#include "ui/TolviSystem.h"

#include <array>
#include <string>

// The main dialog: one connection's current settings or a saved
// configuration's values, and every action on them. It owns the connections
// and the configurations for the life of the program, and writes the file
// when its window goes.
class CTolviDlg : public CDialog, private IMainWindow {
public:
    // With bAuto, automatic configuration runs in the initialisation and
    // then ends the dialog.
    explicit CTolviDlg(const TolviSystem& system, bool bAuto = false, CWnd* pParent = nullptr);
    ~CTolviDlg() override;

    // The selected connection's current settings into the fields.
    void ShowConnectionSettings();
    // A saved configuration's values into the fields, on its connection.
    void ShowConfiguration(const char* pszName);
    // The configuration names in list order, then the placeholder.
    void FillConfigurationCombo();
    // Selects the configuration equal to the fields, else the placeholder.
    void SelectMatchingConfiguration();

    // What the run tells its caller: automatic configuration's outcome, else
    // done.
    ExitCode GetExitCode() const { return m_exitCode; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    std::span<const MessageMapEntry> GetMessageMap() const override;

    void InitContents();
    void UpdateDnsFields();

    void OnSelchangeConnection();
    void OnSelchangeConfiguration();
    void OnIpDhcp();
    void OnIpStatic();
    void OnDnsDhcp();
    void OnDnsStatic();
    void OnFieldchangedIpAddress(NMHDR& header, LRESULT& result);
    void OnFieldchangedSubnetMask(NMHDR& header, LRESULT& result);
    void OnFieldchangedGateway(NMHDR& header, LRESULT& result);
    void OnFieldchangedDns(NMHDR& header, LRESULT& result);
    void OnApplyConfiguration();
    void OnAutoConfiguration();
    void OnExit();
    void OnSave();
    void OnRename();
    void OnDelete();
    void OnRearrange();
    void OnPreferences();
    void OnHelp();
    void OnAdvanced();
    // False when this process may not change what an administrator defines;
    // then it has offered to start Tolvi again elevated for the change.
    bool MayChangeDefinitions();
    bool OnSysCommand(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnPaint(WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnQueryDragIcon(WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // What the long operations do to this dialog.
    void Enable(bool bEnable) override;
    void Show(bool bShow) override;
    void Focus() override;
    void EndAsOk() override;
    void RefreshSettings() override;

    void ShowSettings(const ConnectionSettings& settings);
    // The first address, mask and gateway into their fields; the further
    // ones are held for the Advanced dialog.
    void PutAddresses(const ConnectionSettings& settings);
    // What the fields show, every address whatever the modes: comparing and
    // adding decide which of them matter. The further addresses and gateways
    // come only with a static address, each list after its first entry.
    ConnectionSettings FieldSettings() const;
    // Says beside the Advanced button how many further ones there are.
    void UpdateMoreText();

    CDialogOperations Operations();
    // Address, mask and gateway; the three DNS servers.
    std::array<CIPAddressCtrl*, 3> AddressFields() { return {&m_ipAddress, &m_ipSubnetMask, &m_ipGateway}; }
    std::array<CIPAddressCtrl*, 3> DnsFields() { return {&m_ipDns1, &m_ipDns2, &m_ipDns3}; }
    void EnableAddressFields(bool bEnable);
    void AddressFieldChanged(CIPAddressCtrl& control, LRESULT& result);
    void ReportUnreadableFile();
    // Every message box of the main dialog goes through the system's service.
    int Message(const char* pszText, unsigned flags);
    // A configuration of the placeholder's name is taken for it: it can be
    // neither renamed nor deleted, nor made by saving or renaming.
    bool IsPlaceholder(const std::string& name) const;
    std::string SelectedConfigurationName() const;

    HICON m_hIcon;
    HICON m_hSmallIcon;
    TolviSystem m_system;
    bool m_bAuto;
    CEngineParts m_engine;
    CNetworkInfo& m_networkInfo;
    CComboBox m_comboConnection;
    CIPAddressCtrl m_ipAddress;
    CIPAddressCtrl m_ipSubnetMask;
    CIPAddressCtrl m_ipGateway;
    CWnd m_buttonAdvanced;
    MoreAddresses m_moreAddresses;
    MoreGateways m_moreGateways;
    CIPAddressCtrl m_ipDns1;
    CIPAddressCtrl m_ipDns2;
    CIPAddressCtrl m_ipDns3;
    int m_nIpMode = 0;
    int m_nDnsMode = 0;
    CConfigList m_configList;
    CComboBox m_comboConfiguration;
    char m_szNewConfiguration[22] = {};
    CApplyDlgProgress m_progress;
    ExitCode m_exitCode = ExitCode::Done;
};

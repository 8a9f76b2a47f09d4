#pragma once

#include "engine/ExitCode.h"
#include "engine/TrayOperations.h"
#include "engine/TraySequence.h"
#include "platform/win32/AddressChangeNotice.h"
#include "ui/TolviSystem.h"
#include "ui/tray/TrayIcon.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class CTolviDlg;

// Tray mode: the icon and its menu, and automatic configuration started by
// itself when the network changes. Outcomes go to balloons; nothing it shows
// by itself waits for a click. Only the main dialog, when asked for, owns
// and writes Tolvi.cfg; the tray reads it afresh for each menu and run.
class CTolviTray {
public:
    explicit CTolviTray(const TolviSystem& system);
    CTolviTray(const CTolviTray&) = delete;
    CTolviTray& operator=(const CTolviTray&) = delete;
    ~CTolviTray();

    // Until "Exit" or the window is closed. When another Tolvi is in tray
    // mode already, brings its menu up instead and returns at once.
    ExitCode Run();

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Create();
    void MessageLoop();

    void ShowMenu();
    void OnCommand(UINT nCommand);
    // A resume, or the console's display turning off or on.
    void OnPower(WPARAM nEvent, LPARAM lParam);
    // Reads the adapters: a change updates the tip, and a due run runs.
    void CheckAddresses();
    void Follow(const CTraySequence::Next& next);
    void ApplyConfiguration(const std::string& name);
    void RunAutomatic(bool bAsked);
    // One operation as Tolvi's own work, on the configurations and
    // connections read for it; then its outcome, and the tip afresh.
    void Operate(bool bAsked, const std::function<std::optional<Notice>(CTrayOperations&)>& operation);
    void OpenMainDialog();
    void ShowNotice(const std::optional<Notice>& notice, bool bAsked);
    // The connection's address, read afresh, then the last outcome.
    void UpdateTip();
    void SendTip();
    std::unique_ptr<CConfigList> LoadConfigurations();

    TolviSystem m_system;
    CTraySequence m_sequence;
    CAddressChangeNotice m_addressNotice;
    HWND m_hWnd = nullptr;
    std::optional<CTrayIcon> m_icon;
    std::string m_tip; // without the last outcome
    struct PowerNoticeEnd {
        void operator()(HPOWERNOTIFY hNotice) const { ::UnregisterPowerSettingNotification(hNotice); }
    };
    std::unique_ptr<std::remove_pointer_t<HPOWERNOTIFY>, PowerNoticeEnd> m_displayNotice;
    UINT m_nTaskbarCreated = 0;
    CTolviDlg* m_pDialog = nullptr;
    // The configurations the open menu offers, by command.
    std::vector<std::string> m_menuNames;
};

#include "ui/tray/TolviTray.h"

#include "engine/TrayMenu.h"
#include "framework/ThreadMessagePump.h"
#include "net/NetworkInfo.h"
#include "platform/win32/Handle.h"
#include "ui/ApplyDlgProgress.h"
#include "ui/EngineParts.h"
#include "ui/ProgramIcon.h"
#include "ui/TolviDlg.h"
#include "ui/tray/PopupMenu.h"
#include "ui/tray/TipProgress.h"

#include <cstring>
#include <functional>
#include <memory>

namespace {

constexpr wchar_t kWindowClass[] = L"Tolvi.Tray";
// Per session: each user who logs on may keep a tray of their own.
constexpr wchar_t kInstanceMutex[] = L"Local\\Tolvi.Tray";
constexpr UINT kIconMessage = WM_APP + 1;
// A second /tray start asks the first for its menu.
constexpr UINT kShowMenuMessage = WM_APP + 2;
constexpr UINT_PTR kPollTimer = 1;

enum : UINT {
    kAutomaticCommand = 1,
    kSwitchCommand,
    kOpenCommand,
    kExitCommand,
    kLastOutcomeItem, // greyed: never chosen
    kFirstConfigurationCommand = 100,
};

// GUID_CONSOLE_DISPLAY_STATE, without the library that defines every GUID.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

constexpr char kAutomaticTitle[] = "Tolvi - the network changed";

// Explorer runs without elevation, and Windows keeps a less trusted process's
// messages from an elevated window unless they are let through: without
// this the icon would not come back after Explorer restarts.
void LetThroughFromExplorer(HWND hWnd, UINT message)
{
    using FilterFunction = BOOL WINAPI(HWND, UINT, DWORD, void*);
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW, Windows 7 and later
    const HMODULE hUser = ::GetModuleHandleW(L"user32.dll");
    const FARPROC pFilter = hUser ? ::GetProcAddress(hUser, "ChangeWindowMessageFilterEx") : nullptr;
    if (pFilter)
        reinterpret_cast<FilterFunction*>(reinterpret_cast<void (*)()>(pFilter))(hWnd, message, kAllow, nullptr);
    else
        ::ChangeWindowMessageFilter(message, MSGFLT_ADD);
}

} // namespace

CTolviTray::CTolviTray(const TolviSystem& system)
    : m_system(system), m_sequence(m_system.network.adapters, m_system.clock)
{
}

CTolviTray::~CTolviTray()
{
    m_icon.reset();
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

ExitCode CTolviTray::Run()
{
    const CHandle instance(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        // The first may still be making its window.
        for (int tries = 0; tries < 20; ++tries) {
            if (const HWND hFirst = ::FindWindowW(kWindowClass, nullptr)) {
                DWORD nProcess = 0;
                ::GetWindowThreadProcessId(hFirst, &nProcess);
                // A menu needs the foreground, which only this start has.
                ::AllowSetForegroundWindow(nProcess);
                ::PostMessageW(hFirst, kShowMenuMessage, 0, 0);
                break;
            }
            m_system.clock.Sleep(100);
        }
        return ExitCode::Done;
    }
    if (!Create())
        return ExitCode::DidNotWork;
    MessageLoop();
    return ExitCode::Done;
}

bool CTolviTray::Create()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &CTolviTray::WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassW(&windowClass);
    // Top-level, never shown: a message-only window would miss the shell's
    // and the power broadcasts.
    m_hWnd = ::CreateWindowExW(0, kWindowClass, L"Tolvi", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                               this);
    if (!m_hWnd)
        return false;
    m_nTaskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    LetThroughFromExplorer(m_hWnd, m_nTaskbarCreated);
    m_icon.emplace(m_hWnd, kIconMessage, LoadProgramIcon(SM_CXSMICON, SM_CYSMICON));
    // What is there before the icon shows: only a change after it is one
    // to act on.
    m_sequence.ReadAdapters();
    UpdateTip();
    // Without a shell yet, the poll adds it later.
    m_icon->Add();
    m_displayNotice.reset(
        ::RegisterPowerSettingNotification(m_hWnd, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE));
    ::SetTimer(m_hWnd, kPollTimer, CAutoSwitch::kPollInterval, nullptr);
    return true;
}

void CTolviTray::MessageLoop()
{
    for (;;) {
        HANDLE hNotice = m_addressNotice.Event();
        const DWORD result =
            ::MsgWaitForMultipleObjectsEx(hNotice ? 1 : 0, &hNotice, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (hNotice && result == WAIT_OBJECT_0) {
            m_addressNotice.Rearm();
            CheckAddresses();
            continue;
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            PumpMessage(msg);
        }
    }
}

LRESULT CALLBACK CTolviTray::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pTray = reinterpret_cast<CTolviTray*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    try {
        if (pTray && pTray->m_hWnd == hWnd)
            return pTray->OnMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's code; the tray carries on.
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CTolviTray::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == m_nTaskbarCreated && m_nTaskbarCreated != 0) {
        m_icon->Add();
        return 0;
    }
    switch (message) {
    case kIconMessage:
        if (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP)
            ShowMenu();
        return 0;
    case kShowMenuMessage:
        ShowMenu();
        return 0;
    case WM_TIMER:
        if (wParam == kPollTimer)
            Follow(m_sequence.Poll(*m_icon));
        return 0;
    case WM_POWERBROADCAST:
        OnPower(wParam, lParam);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            m_icon->Remove();
        return 0;
    case WM_CLOSE:
        if (!m_sequence.IsBusy())
            ::DestroyWindow(m_hWnd);
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_hWnd, kPollTimer);
        m_displayNotice.reset();
        m_icon->Remove();
        // Gone: the destructor has nothing left to destroy.
        m_hWnd = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
}

void CTolviTray::ShowMenu()
{
    if (m_pDialog) {
        ::SetForegroundWindow(m_pDialog->m_hWnd);
        return;
    }
    if (m_sequence.IsBusy())
        return;
    UINT nCommand = 0;
    {
        CNetworkInfo connections(m_system.network);
        const std::vector<TrayMenuEntry> entries = TrayMenuEntries(*LoadConfigurations(), connections);
        CPopupMenu menu;
        m_menuNames.clear();
        if (!m_sequence.LastOutcome().empty()) {
            menu.Add(kLastOutcomeItem, CPopupMenu::ItemText(m_sequence.LastOutcome()), false, false);
            menu.AddSeparator();
        }
        for (const TrayMenuEntry& entry : entries) {
            menu.Add(kFirstConfigurationCommand + static_cast<UINT>(m_menuNames.size()),
                     CPopupMenu::ItemText(entry.name), entry.bChecked, entry.bEnabled);
            m_menuNames.push_back(entry.name);
        }
        if (entries.empty())
            menu.Add(kFirstConfigurationCommand, "No configuration defined.", false, false);
        menu.AddSeparator();
        menu.Add(kAutomaticCommand, "Automatic Configuration");
        menu.Add(kSwitchCommand, "Switch automatically when the network changes", m_sequence.Switch().IsOn());
        menu.Add(kOpenCommand, "Open Tolvi...");
        menu.Add(kExitCommand, "Exit");

        const CTraySequence::CBusy busy(m_sequence);
        nCommand = menu.Track(m_hWnd);
    }
    OnCommand(nCommand);
}

void CTolviTray::OnCommand(UINT nCommand)
{
    switch (nCommand) {
    case 0:
        return;
    case kAutomaticCommand:
        RunAutomatic(true);
        return;
    case kSwitchCommand:
        m_sequence.Switch().SetOn(!m_sequence.Switch().IsOn());
        return;
    case kOpenCommand:
        OpenMainDialog();
        return;
    case kExitCommand:
        ::DestroyWindow(m_hWnd);
        return;
    default:
        if (nCommand >= kFirstConfigurationCommand && nCommand - kFirstConfigurationCommand < m_menuNames.size())
            ApplyConfiguration(m_menuNames[nCommand - kFirstConfigurationCommand]);
        return;
    }
}

void CTolviTray::OnPower(WPARAM nEvent, LPARAM lParam)
{
    if (nEvent == PBT_APMRESUMEAUTOMATIC || nEvent == PBT_APMRESUMESUSPEND) {
        m_sequence.Switch().Resumed();
        return;
    }
    const auto* pSetting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    // Modern Standby often sends no resume: the console's display lit again
    // is the sign. Dimmed (2) is neither off nor on.
    if (nEvent == PBT_POWERSETTINGCHANGE && pSetting && pSetting->PowerSetting == kConsoleDisplayState &&
        pSetting->DataLength >= sizeof(DWORD)) {
        DWORD state = 0;
        std::memcpy(&state, pSetting->Data, sizeof state);
        if (state == 0 || state == 1)
            m_sequence.Switch().DisplayTurned(state == 1);
    }
}

void CTolviTray::CheckAddresses()
{
    Follow(m_sequence.ReadAdapters());
}

void CTolviTray::Follow(const CTraySequence::Next& next)
{
    // Only a change is worth reading the names and settings for.
    if (next.bTip)
        UpdateTip();
    if (next.bRun)
        RunAutomatic(false);
}

void CTolviTray::ApplyConfiguration(const std::string& name)
{
    Operate(true, [&](CTrayOperations& operations) { return std::optional<Notice>(operations.Apply(name)); });
}

void CTolviTray::RunAutomatic(bool bAsked)
{
    Operate(bAsked, [&](CTrayOperations& operations) { return operations.Auto(bAsked); });
}

void CTolviTray::Operate(bool bAsked, const std::function<std::optional<Notice>(CTrayOperations&)>& operation)
{
    std::optional<Notice> notice;
    {
        const std::unique_ptr<CConfigList> configs = LoadConfigurations();
        CEngineParts engine(m_system);
        m_sequence.RunAsOwnWork(engine.connections, [&] {
            // Asked for, it shows as the main dialog's buttons do; by
            // itself, only in the tip.
            CApplyDlgProgress window;
            CTipProgress tip(*m_icon);
            IProgress& progress = bAsked ? static_cast<IProgress&>(window) : tip;
            CTrayOperations operations(engine.Services(*configs, progress), m_system.pService);
            notice = operation(operations);
            m_tip = TrayTip(*configs, engine.connections);
        });
    }
    ShowNotice(notice, bAsked);
}

void CTolviTray::OpenMainDialog()
{
    CNetworkInfo connections(m_system.network);
    m_sequence.RunAsOwnWork(connections, [&] {
        // The dialog loads Tolvi.cfg, and writes it when it closes if it
        // changed.
        CTolviDlg dialog(m_system);
        m_pDialog = &dialog;
        dialog.DoModal();
        m_pDialog = nullptr;
    });
    UpdateTip();
}

void CTolviTray::ShowNotice(const std::optional<Notice>& notice, bool bAsked)
{
    if (notice) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        m_sequence.NoteOutcome(notice->text, now.wHour, now.wMinute);
    }
    SendTip();
    if (!notice)
        return;
    const char* pszTitle = bAsked ? "Tolvi" : kAutomaticTitle;
    if (m_icon->ShowBalloon(pszTitle, notice->text, notice->icon))
        return;
    // No icon to show it: the user who asked still hears how it went.
    if (bAsked)
        m_system.messages.Show(notice->text.c_str(), mb::kOk | notice->icon);
}

void CTolviTray::UpdateTip()
{
    CNetworkInfo connections(m_system.network);
    m_tip = TrayTip(*LoadConfigurations(), connections);
    SendTip();
}

void CTolviTray::SendTip()
{
    const std::string& last = m_sequence.LastOutcome();
    m_icon->SetTip(last.empty() ? m_tip : m_tip + "\n" + last);
}

std::unique_ptr<CConfigList> CTolviTray::LoadConfigurations()
{
    auto configs = std::make_unique<CConfigList>(m_system.files, m_system.codePage);
    // Held by another program, it is read again next time; the defaults
    // meanwhile offer no configurations.
    configs->Load(m_system.clock);
    return configs;
}

#pragma once

#include "config/Address.h"
#include "fakes/FakeAdapterList.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeElevation.h"
#include "fakes/FakeFileSecurity.h"
#include "fakes/FakeProcessRunner.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSocketLibrary.h"
#include "framework/ThreadMessagePump.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32StartupRegistration.h"
#include "support/ForwardingFileSystem.h"
#include "support/TempDir.h"
#include "ui/TolviDlg.h"
#include "win32/MessageBoxAnswerer.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// The current TCP/IP settings a fake connection reports, as dotted texts.
struct CurrentSettings {
    bool bDhcp = true;
    std::string ip, mask, gateway;
    // Empty: DNS servers from DHCP.
    std::string nameServers;
};

// Counts the times Tolvi.cfg is put in place, which is once per save.
class CCountingFileSystem final : public CForwardingFileSystem {
public:
    using CForwardingFileSystem::CForwardingFileSystem;
    int replaces = 0;
    bool failReplace = false;
    bool Replace(const std::string& from, const std::string& to) override
    {
        ++replaces;
        return !failReplace && m_inner.Replace(from, to);
    }
};

// The real message box, which the tests answer by its text, recording the
// flags of each one shown.
class CRecordingMessageBox final : public IMessageBox {
public:
    std::vector<unsigned> flags;
    int Show(const char* pszText, unsigned nFlags) override
    {
        flags.push_back(nFlags);
        return m_real.Show(pszText, nFlags);
    }

private:
    CWin32MessageBox m_real;
};

// Everything the main dialog runs on, faked but for the windows, the message
// boxes and the files, which are real and in a folder of the test's own.
// Echo requests never leave: opening the socket fails, so every test fails.
class CTestSystem {
public:
    CTestSystem();

    // Adds an adapter; no name leaves it without a connection name.
    void AddConnection(const std::optional<std::string>& name, const CurrentSettings& settings = {});
    TolviSystem Services();

    std::string ConfigPath() const { return dir.File("Tolvi.cfg"); }
    // Writes Tolvi.cfg from a list that the caller fills.
    void WriteConfig(const std::function<void(CConfigList&)>& fill);
    // Reads Tolvi.cfg back; an empty list when it is missing.
    void ReadConfig(CConfigList& list);

    CTempDir dir;
    CSystemFileSystem realFiles;
    CRelocatedFileSystem relocated{realFiles, dir.Path().string() + "\\"};
    CCountingFileSystem files{relocated};
    CFakeAdapterList adapters;
    CFakeRegistry registry;
    CFakeProcessRunner processes;
    CThreadMessagePump pump;
    CRecordingMessageBox messages;
    CFakeClock clock;
    CFakeSocketLibrary sockets{clock};
    // The dialog's clock; a test that waits for another process gives it
    // the real one.
    CWin32Clock realClock;
    IClock* pClock = &clock;
    // Start-up registration goes to the session's own Wine prefix, unless a
    // test points it elsewhere.
    CWin32StartupRegistration wineStartup{false};
    IStartupRegistration* startup = &wineStartup;
    // Wine lets the user change every file: the places read as admin-only.
    CFakeFileSecurity security;
    CWin32CodePage codePage;
    CFakeElevation elevation;
    std::string commandLine = "\"C:\\Program Files\\Tolvi\\Tolvi.exe\"";
};

// The main dialog running a test's steps inside its own modal loop, one per
// tick of a timer, so that what a step posts is handled before the next
// one runs. A step that opens a modal window holds the next ones back; a
// run that takes too long is ended.
class CDrivenTolviDlg final : public CTolviDlg {
public:
    using Step = std::function<void(CDrivenTolviDlg&)>;
    static constexpr INT_PTR kTimedOut = 0x7E57;

    CDrivenTolviDlg(const TolviSystem& system, bool bAuto, std::vector<Step> steps);

    BOOL OnInitDialog() override;

    HWND Item(int nID) const { return GetDlgItem(nID); }
    // Runs the step that calls it once more at the next tick.
    void Again() { m_bAgain = true; }
    bool bTimedOut = false;

private:
    static void CALLBACK OnTick(HWND hWnd, UINT, UINT_PTR, DWORD);
    void RunNextStep();

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_bInStep = false;
    bool m_bAgain = false;
    DWORD m_started = 0;
};

// Runs the steps and returns how the dialog ended; a run that timed out
// fails the test.
INT_PTR RunMainDialog(CTestSystem& system, std::vector<CDrivenTolviDlg::Step> steps);

// An address value from dotted text, short for the tables of cases.
inline std::uint32_t Ip(const char* pszText)
{
    return ParseAddress(pszText);
}
// Adds a configuration of static settings, or of DHCP ones (static DNS when
// a server is given); the test fails when the name is taken.
void AddStatic(CConfigList& list, const char* pszName, const char* pszConnection, const char* pszIp,
               const char* pszMask, const char* pszGateway, const char* pszDns1 = "0.0.0.0",
               const char* pszDns2 = "0.0.0.0", const char* pszDns3 = "0.0.0.0");
void AddDhcp(CConfigList& list, const char* pszName, const char* pszConnection, const char* pszDns1 = nullptr);
// Presses Exit, which ends the run.
void Exit(CDrivenTolviDlg& d);

// The window of this thread with the title that takes input, or nullptr.
HWND FindOpenWindow(const std::string& title);
// Whether the main dialog is alone and takes input: every handler has
// returned and every window it opened is gone.
bool IsIdle(const CDrivenTolviDlg& d);
// Steps that wait, tick by tick, for their moment: until the main dialog is
// idle, or until a window of the title is open (it is then passed on).
CDrivenTolviDlg::Step WhenIdle(CDrivenTolviDlg::Step step);
CDrivenTolviDlg::Step WhenOpen(const std::string& title, std::function<void(CDrivenTolviDlg&, HWND)> step);
// Presses the button once the main dialog is idle, then lets the step act
// on the dialog of the title that it opens.
std::vector<CDrivenTolviDlg::Step> InDialog(int nButton, const std::string& title,
                                            std::function<void(CDrivenTolviDlg&, HWND)> act);
void Append(std::vector<CDrivenTolviDlg::Step>& steps, std::vector<CDrivenTolviDlg::Step> more);
// Runs the steps and then Exit, once the main dialog is idle, answering the
// message boxes; returns the boxes seen.
std::vector<MessageBoxSeen> RunAnswering(CTestSystem& system, std::vector<CDrivenTolviDlg::Step> steps,
                                         std::initializer_list<CMessageBoxAnswerer::Answer> answers = {});

// What a control shows.
std::string AddressText(HWND hControl); // "a.b.c.d", or "" when blank
std::string SelectedText(HWND hCombo);
std::vector<std::string> ComboEntries(HWND hCombo);
bool IsChecked(HWND hButton);

// What a user's actions send.
void SetAddressText(HWND hDialog, int nID, const std::string& text); // then notifies as a field change does
void ChooseEntry(HWND hDialog, int nID, const std::string& text);    // selects and notifies
// Clicks and returns when the button's handler has returned; Click and
// PostKey, which post, are in DialogTesting.h.
void ClickNow(HWND hButton);
// The edit window of one of the four fields of an IP address control.
HWND AddressField(HWND hControl, int nField);
// Posts the characters to the address control's first field, as typing does.
void Type(HWND hControl, const std::string& text);

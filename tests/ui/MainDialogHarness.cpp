#include "MainDialogHarness.h"
#include "support/TestSettings.h"

#include "engine/CommandLine.h"
#include "framework/ComboBox.h"
#include "resource.h"
#include "support/NetworkTestValues.h"
#include "win32/DialogTesting.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kStepTimer = 0x5157;
constexpr UINT kTickMs = 15;
constexpr DWORD kRunLimitMs = 20000;

BOOL CALLBACK EndDialogOf(HWND hWnd, LPARAM)
{
    if (CDialog* pDialog = CDialog::FromHandle(hWnd))
        pDialog->EndDialog(static_cast<int>(CDrivenTolviDlg::kTimedOut));
    return TRUE;
}

std::string GuidOf(std::size_t nAdapter)
{
    char guid[64];
    std::snprintf(guid, sizeof guid, "{0000%04u-0000-0000-0000-546F6C766921}", static_cast<unsigned>(nAdapter));
    return guid;
}

} // namespace

CTestSystem::CTestSystem()
{
    // Every echo test fails at once, without a packet.
    sockets.openFails = true;
    // Applies take, as the read-back then sees.
    processes.pNetshRegistry = &registry;
}

void CTestSystem::AddConnection(const std::optional<std::string>& name, const CurrentSettings& settings)
{
    const std::size_t nAdapter = adapters.adapters.size();
    adapters.adapters.push_back({GuidOf(nAdapter), settings.bDhcp});
    // Without a name there is no Connection key: one without a Name value
    // would end the matching for every later adapter.
    if (name)
        registry.SetString(kConnectionClassKey + "\\" + GuidOf(nAdapter) + "\\Connection", "Name", *name);
    const std::string key = kInterfacesKey + GuidOf(nAdapter);
    registry.SetDword(key, "EnableDHCP", settings.bDhcp ? 1 : 0);
    registry.SetMultiString(key, "IPAddress", {settings.ip});
    registry.SetMultiString(key, "SubnetMask", {settings.mask});
    registry.SetMultiString(key, "DefaultGateway", {settings.gateway});
    registry.SetString(key, "NameServer", settings.nameServers);
}

TolviSystem CTestSystem::Services()
{
    return {{adapters, registry, processes, pump, *pClock},
            messages,
            files,
            sockets,
            *pClock,
            *startup,
            security,
            codePage,
            elevation};
}

void CTestSystem::WriteConfig(const std::function<void(CConfigList&)>& fill)
{
    CConfigList list(realFiles, codePage);
    list.SetDefaultPreferences();
    fill(list);
    ASSERT_EQ(list.Save(ConfigPath()), SaveResult::Written);
}

void CTestSystem::ReadConfig(CConfigList& list)
{
    list.Load(ConfigPath());
}

CDrivenTolviDlg::CDrivenTolviDlg(const TolviSystem& system, bool bAuto, std::vector<Step> steps)
    : CTolviDlg(system, bAuto), m_steps(std::move(steps))
{
}

BOOL CDrivenTolviDlg::OnInitDialog()
{
    const BOOL result = CTolviDlg::OnInitDialog();
    m_started = ::GetTickCount();
    ::SetTimer(m_hWnd, kStepTimer, kTickMs, OnTick);
    return result;
}

void CALLBACK CDrivenTolviDlg::OnTick(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    if (auto* pDialog = dynamic_cast<CDrivenTolviDlg*>(CDialog::FromHandle(hWnd)))
        pDialog->RunNextStep();
}

void CDrivenTolviDlg::RunNextStep()
{
    if (::GetTickCount() - m_started > kRunLimitMs) {
        ::KillTimer(m_hWnd, kStepTimer);
        bTimedOut = true;
        // Every dialog open ends, or a nested one's loop would hold the run.
        ::EnumThreadWindows(::GetCurrentThreadId(), EndDialogOf, 0);
        return;
    }
    if (m_bInStep || m_next >= m_steps.size())
        return;
    m_bInStep = true;
    m_bAgain = false;
    const Step step = m_steps[m_next++];
    step(*this);
    if (m_bAgain)
        --m_next;
    m_bInStep = false;
}

namespace {

struct WindowSearch {
    std::string title;
    HWND hFound = nullptr;
    HWND hExcept = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    if (hWnd == search.hExcept || !::IsWindowVisible(hWnd))
        return TRUE;
    if (!search.title.empty() && (CWnd::TextOf(hWnd) != search.title || !::IsWindowEnabled(hWnd)))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

} // namespace

void AddStatic(CConfigList& list, const char* pszName, const char* pszConnection, const char* pszIp,
               const char* pszMask, const char* pszGateway, const char* pszDns1, const char* pszDns2,
               const char* pszDns3)
{
    ASSERT_EQ(list.Add(pszName, pszConnection,
                       Settings(0, 0, Ip(pszIp), Ip(pszMask), Ip(pszGateway), Ip(pszDns1), Ip(pszDns2), Ip(pszDns3))),
              CONFIG_DONE);
}

void AddDhcp(CConfigList& list, const char* pszName, const char* pszConnection, const char* pszDns1)
{
    const bool bStaticDns = pszDns1 != nullptr;
    ASSERT_EQ(
        list.Add(pszName, pszConnection, Settings(1, bStaticDns ? 0 : 1, 0, 0, 0, bStaticDns ? Ip(pszDns1) : 0, 0, 0)),
        CONFIG_DONE);
}

void Exit(CDrivenTolviDlg& d)
{
    Click(d.Item(IDC_EXIT));
}

HWND FindOpenWindow(const std::string& title)
{
    WindowSearch search{title};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

bool IsIdle(const CDrivenTolviDlg& d)
{
    WindowSearch search{{}, nullptr, d.m_hWnd};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
    return !search.hFound && ::IsWindowEnabled(d.m_hWnd);
}

CDrivenTolviDlg::Step WhenIdle(CDrivenTolviDlg::Step step)
{
    return [step = std::move(step)](CDrivenTolviDlg& d) {
        if (IsIdle(d))
            step(d);
        else
            d.Again();
    };
}

CDrivenTolviDlg::Step WhenOpen(const std::string& title, std::function<void(CDrivenTolviDlg&, HWND)> step)
{
    return [title, step = std::move(step)](CDrivenTolviDlg& d) {
        if (const HWND hWnd = FindOpenWindow(title))
            step(d, hWnd);
        else
            d.Again();
    };
}

INT_PTR RunMainDialog(CTestSystem& system, std::vector<CDrivenTolviDlg::Step> steps)
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS};
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    EXPECT_TRUE(registered);
    // Parsed as the program parses it, once, before the dialog is built.
    const bool bAuto = ParseCommandLine(system.commandLine).action == CommandAction::Auto;
    CDrivenTolviDlg dialog(system.Services(), bAuto, std::move(steps));
    const INT_PTR result = dialog.DoModal();
    EXPECT_FALSE(dialog.bTimedOut) << "the steps did not end the dialog";
    return result;
}

std::vector<CDrivenTolviDlg::Step> InDialog(int nButton, const std::string& title,
                                            std::function<void(CDrivenTolviDlg&, HWND)> act)
{
    return {WhenIdle([nButton](CDrivenTolviDlg& d) { Click(d.Item(nButton)); }), WhenOpen(title, std::move(act))};
}

void Append(std::vector<CDrivenTolviDlg::Step>& steps, std::vector<CDrivenTolviDlg::Step> more)
{
    for (CDrivenTolviDlg::Step& step : more)
        steps.push_back(std::move(step));
}

std::vector<MessageBoxSeen> RunAnswering(CTestSystem& system, std::vector<CDrivenTolviDlg::Step> steps,
                                         std::initializer_list<CMessageBoxAnswerer::Answer> answers)
{
    CMessageBoxAnswerer answerer(answers);
    steps.push_back(WhenIdle(Exit));
    EXPECT_EQ(RunMainDialog(system, std::move(steps)), IDOK);
    return answerer.Seen();
}

std::string AddressText(HWND hControl)
{
    if (::SendMessageA(hControl, IPM_ISBLANK, 0, 0))
        return {};
    DWORD value = 0;
    ::SendMessageA(hControl, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    return std::to_string(FIRST_IPADDRESS(value)) + "." + std::to_string(SECOND_IPADDRESS(value)) + "." +
           std::to_string(THIRD_IPADDRESS(value)) + "." + std::to_string(FOURTH_IPADDRESS(value));
}

std::vector<std::string> ComboEntries(HWND hCombo)
{
    // Read wide: the narrow messages would give '?' for a name outside the
    // system's code page.
    CComboBox combo;
    combo.Attach(hCombo);
    std::vector<std::string> entries;
    for (int i = 0; i < combo.GetCount(); ++i)
        entries.push_back(combo.GetLBText(i));
    return entries;
}

std::string SelectedText(HWND hCombo)
{
    const LRESULT selected = ::SendMessageA(hCombo, CB_GETCURSEL, 0, 0);
    const std::vector<std::string> entries = ComboEntries(hCombo);
    const auto index = static_cast<std::size_t>(selected);
    return selected >= 0 && index < entries.size() ? entries[index] : "(none)";
}

bool IsChecked(HWND hButton)
{
    return ::SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetAddressText(HWND hDialog, int nID, const std::string& text)
{
    const HWND hControl = ::GetDlgItem(hDialog, nID);
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (text.empty())
        ::SendMessageA(hControl, IPM_CLEARADDRESS, 0, 0);
    else if (std::sscanf(text.c_str(), "%u.%u.%u.%u", &a, &b, &c, &d) == 4)
        ::SendMessageA(hControl, IPM_SETADDRESS, 0, MAKEIPADDRESS(a, b, c, d));
    else
        ADD_FAILURE() << "not an address: " << text;
    NMIPADDRESS change{};
    change.hdr = {hControl, static_cast<UINT_PTR>(nID), static_cast<UINT>(IPN_FIELDCHANGED)};
    change.iField = 3;
    change.iValue = static_cast<int>(d);
    ::SendMessageA(hDialog, WM_NOTIFY, static_cast<WPARAM>(nID), reinterpret_cast<LPARAM>(&change));
}

void ChooseEntry(HWND hDialog, int nID, const std::string& text)
{
    const HWND hCombo = ::GetDlgItem(hDialog, nID);
    const std::vector<std::string> entries = ComboEntries(hCombo);
    const auto found = std::find(entries.begin(), entries.end(), text);
    ASSERT_NE(found, entries.end()) << "no entry " << text;
    ::SendMessageA(hCombo, CB_SETCURSEL, static_cast<WPARAM>(found - entries.begin()), 0);
    ::SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
}

void ClickNow(HWND hButton)
{
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
}

HWND AddressField(HWND hControl, int nField)
{
    // The fields are the control's edit windows, left to right.
    std::vector<std::pair<LONG, HWND>> fields;
    for (HWND hChild = ::GetWindow(hControl, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rect{};
        ::GetWindowRect(hChild, &rect);
        fields.push_back({rect.left, hChild});
    }
    std::sort(fields.begin(), fields.end());
    const auto index = static_cast<std::size_t>(nField);
    return nField >= 0 && index < fields.size() ? fields[index].second : nullptr;
}

void Type(HWND hControl, const std::string& text)
{
    ::SetFocus(AddressField(hControl, 0));
    int field = 0;
    for (const char ch : text) {
        ::PostMessageA(AddressField(hControl, field), WM_CHAR, static_cast<WPARAM>(ch), 1);
        if (ch == '.')
            ++field;
    }
}

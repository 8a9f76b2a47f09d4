// The preferences and help dialogs, opened from the main dialog: what they
// show, what OK and Cancel keep, and the start-up task they register in the
// session's own Wine prefix.
#include "MainDialogHarness.h"
#include "config/Address.h"
#include "config/Ipv4Addr.h"
#include "engine/CommandLine.h"
#include "ui/TolviHelpDlg.h"
#include "ui/TolviPrefDlg.h"
#include "win32/DialogTesting.h"
#include "win32/MessageBoxAnswerer.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Step = CDrivenTolviDlg::Step;

const std::string kPreferencesTitle = "Preferences";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Where Wine's Task Scheduler stores one file per task of the root folder.
const std::string kTasksFolder = "C:\\windows\\system32\\tasks\\";

// The preferences as the file holds them.
struct Preferences {
    std::string defaultConnection;
    std::uint32_t dwTestAddress;
    std::uint32_t nDhcpWait;
    std::int32_t bExitAfterApply;
    std::int32_t bExitAfterAuto;
    bool operator==(const Preferences&) const = default;
};

void PrintTo(const Preferences& p, std::ostream* os)
{
    *os << '"' << p.defaultConnection << "\" " << std::hex << p.dwTestAddress << std::dec << ' ' << p.nDhcpWait << ' '
        << p.bExitAfterApply << p.bExitAfterAuto;
}

Preferences Stored(CTestSystem& system)
{
    CConfigList list(system.realFiles, system.codePage);
    system.ReadConfig(list);
    const PREFERENCES& p = list.GetPreferences();
    return {p.szDefaultConnection, p.dwTestAddress, p.nDhcpWait, p.bExitAfterApply, p.bExitAfterAuto};
}

// Two connections of one name and another; the stored default names the pair.
const Preferences kBefore{"Office", 0x0A000001, 3000, 1, 0};

void Prepare(CTestSystem& system)
{
    system.AddConnection("Office");
    system.AddConnection("Wireless");
    system.AddConnection("Office");
    system.WriteConfig([](CConfigList& list) {
        PREFERENCES& p = list.GetPreferences();
        std::snprintf(p.szDefaultConnection, sizeof p.szDefaultConnection, "%s", kBefore.defaultConnection.c_str());
        p.dwTestAddress = kBefore.dwTestAddress;
        p.nDhcpWait = kBefore.nDhcpWait;
        p.bExitAfterApply = kBefore.bExitAfterApply;
        p.bExitAfterAuto = kBefore.bExitAfterAuto;
    });
}

// The address control's value in control order; 0 when blank.
std::uint32_t ControlAddress(HWND hControl)
{
    DWORD value = 0;
    if (!::SendMessageA(hControl, IPM_ISBLANK, 0, 0))
        ::SendMessageA(hControl, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

// What the dialog shows, read from its controls.
struct Shown {
    std::vector<std::string> connections;
    int nSelected = -1;
    std::uint32_t dwTestAddress = 0;
    std::string wait;
    bool bExitAfterApply = false, bExitAfterAuto = false;
};

Shown ShownBy(HWND hDlg)
{
    const HWND hCombo = ::GetDlgItem(hDlg, IDC_COMBO_CONNECTION);
    return {ComboEntries(hCombo),
            static_cast<int>(::SendMessageA(hCombo, CB_GETCURSEL, 0, 0)),
            ControlAddress(::GetDlgItem(hDlg, IDC_TEST_ADDRESS)),
            CWnd::TextOf(::GetDlgItem(hDlg, IDC_DHCP_WAIT)),
            IsChecked(::GetDlgItem(hDlg, IDC_CHECK_EXIT_AFTER_APPLY)),
            IsChecked(::GetDlgItem(hDlg, IDC_CHECK_EXIT_AFTER_AUTO))};
}

// Changes every field a user can change.
void EditEverything(HWND hDlg, const std::string& wait)
{
    ::SendMessageA(::GetDlgItem(hDlg, IDC_COMBO_CONNECTION), CB_SETCURSEL, 1, 0);
    ::SendMessageA(::GetDlgItem(hDlg, IDC_TEST_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(127, 0, 0, 2));
    ::SetDlgItemTextA(hDlg, IDC_DHCP_WAIT, wait.c_str());
    ClickNow(::GetDlgItem(hDlg, IDC_CHECK_EXIT_AFTER_APPLY));
    ClickNow(::GetDlgItem(hDlg, IDC_CHECK_EXIT_AFTER_AUTO));
}

// The Run value "Tolvi" of the session's registry; none when it is absent.
std::optional<std::string> RunValue()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return std::nullopt;
    char data[1024] = {};
    DWORD size = sizeof data - 1, type = 0;
    const LONG status = ::RegQueryValueExA(hKey, "Tolvi", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    ::RegCloseKey(hKey);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::string(data);
}

// What an earlier Tolvi registered: a Run value that Windows never starts.
void PlantRunValue()
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    constexpr char kOld[] = "\"C:\\Program Files\\Tolvi\\Tolvi.exe\" /auto";
    EXPECT_EQ(::RegSetValueExA(hKey, "Tolvi", 0, REG_SZ, reinterpret_cast<const BYTE*>(kOld), sizeof kOld),
              ERROR_SUCCESS);
    ::RegCloseKey(hKey);
}

// The names of the tasks stored in the root folder, sorted.
std::vector<std::string> StoredTasks()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE hFind = ::FindFirstFileA((kTasksFolder + "*").c_str(), &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

// No registration before or after a test: a later test, or the session's
// next start, would find whatever a test left there.
class CStartupGuard {
public:
    CStartupGuard() { Remove(); }
    ~CStartupGuard() { Remove(); }
    CStartupGuard(const CStartupGuard&) = delete;
    CStartupGuard& operator=(const CStartupGuard&) = delete;

private:
    static void Remove()
    {
        ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Tolvi");
        ::DeleteFileA((kTasksFolder + "Tolvi").c_str());
    }
};

// A registration that always fails, as it does for a user without rights.
class CFailingStartup final : public IStartupRegistration {
public:
    bool RunsForAUser() override { return true; }
    bool StartsElevated() override { return true; }
    bool Register(const std::string&, std::string_view) override { return false; }
    UnregisterResult Unregister() override { return UnregisterResult::Failed; }
};

// The session's registration, noting the arguments of each registration.
class CNotingStartup final : public IStartupRegistration {
public:
    explicit CNotingStartup(IStartupRegistration& real) : m_real(real) {}
    bool RunsForAUser() override { return m_real.RunsForAUser(); }
    bool StartsElevated() override { return m_real.StartsElevated(); }
    bool Register(const std::string& programPath, std::string_view arguments) override
    {
        registered.emplace_back(arguments);
        programs.push_back(programPath);
        return m_real.Register(programPath, arguments);
    }
    UnregisterResult Unregister() override { return m_real.Unregister(); }

    std::vector<std::string> registered;
    std::vector<std::string> programs;

private:
    IStartupRegistration& m_real;
};

std::vector<Step> OpenPreferences(std::function<void(CDrivenTolviDlg&, HWND)> act)
{
    return InDialog(IDC_PREFERENCES, kPreferencesTitle, std::move(act));
}

std::string StaticTexts(HWND hDlg)
{
    std::string texts;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetDlgCtrlID(h) == -1 || ::GetDlgCtrlID(h) == 0xFFFF)
            texts += CWnd::TextOf(h) + "\n";
    return texts;
}

TEST(Preferences, ShowsTheStoredPreferencesAndTheLaterOfTwoEqualConnections)
{
    CTestSystem system;
    Prepare(system);
    Shown shown;
    std::string labels;
    const auto seen = RunAnswering(system, OpenPreferences([&](CDrivenTolviDlg&, HWND hDlg) {
                                       shown = ShownBy(hDlg);
                                       labels = StaticTexts(hDlg);
                                       SaveWindowShot(hDlg, "preferences");
                                       Click(::GetDlgItem(hDlg, IDOK));
                                   }));
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(shown.connections, (std::vector<std::string>{"Office", "Wireless", "Office"}));
    EXPECT_EQ(shown.nSelected, 2);
    EXPECT_EQ(shown.dwTestAddress, kBefore.dwTestAddress);
    EXPECT_EQ(shown.wait, "3000");
    EXPECT_TRUE(shown.bExitAfterApply);
    EXPECT_FALSE(shown.bExitAfterAuto);
    // The label names the default that a first run stores.
    char defaultAddress[kAddressTextSize] = {};
    FormatAddress(Ipv4Addr::ReverseBytes(kDefaultTestAddress), defaultAddress);
    EXPECT_NE(labels.find("IP Address for Testing Connection(Default : " + std::string(defaultAddress) + ")\n"),
              std::string::npos)
        << labels;
    // OK without changes keeps everything, the connection by its name.
    EXPECT_EQ(Stored(system), kBefore);
}

// OK is refused, the dialog staying open, for an empty test address and for
// a wait over one minute.
TEST(Preferences, OkStoresEveryFieldAndAnEmptyWaitAsZero)
{
    CTestSystem system;
    Prepare(system);
    std::vector<Step> steps = OpenPreferences([](CDrivenTolviDlg&, HWND hDlg) {
        ::SendMessageA(::GetDlgItem(hDlg, IDC_TEST_ADDRESS), IPM_CLEARADDRESS, 0, 0);
        Click(::GetDlgItem(hDlg, IDOK));
    });
    steps.push_back(WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) {
        EditEverything(hDlg, "60001");
        Click(::GetDlgItem(hDlg, IDOK));
    }));
    steps.push_back(WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) {
        ::SetDlgItemTextA(hDlg, IDC_DHCP_WAIT, "");
        Click(::GetDlgItem(hDlg, IDOK));
    }));
    const auto seen = RunAnswering(system, steps, {{IDOK, "Enter the IP address"}, {IDOK, "at most 60000"}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Enter the IP address for testing the connection: automatic configuration sends its "
                            "echo request there and takes an answer as a sign that the settings work.");
    EXPECT_EQ(seen[1].text, "The waiting time for a lease from the DHCP server can be at most 60000 milliseconds "
                            "(one minute).");
    EXPECT_EQ(Stored(system), (Preferences{"Wireless", 0x7F000002, 0, 0, 1}));
}

TEST(Preferences, CancelKeepsThePreferencesAndARegistrationMadeBefore)
{
    CStartupGuard guard;
    CTestSystem system;
    Prepare(system);
    bool bEscapeClosed = false;
    std::vector<Step> steps = OpenPreferences([](CDrivenTolviDlg&, HWND hDlg) {
        EditEverything(hDlg, "12345");
        Click(::GetDlgItem(hDlg, IDC_REGISTER_UI_MODE));
    });
    steps.push_back(
        WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) { Click(::GetDlgItem(hDlg, IDCANCEL)); }));
    // Esc after edits, too.
    Append(steps, OpenPreferences([&](CDrivenTolviDlg&, HWND hDlg) {
               EditEverything(hDlg, "99");
               PostKey(::GetDlgItem(hDlg, IDC_DHCP_WAIT), VK_ESCAPE);
               bEscapeClosed = true;
           }));
    const auto seen = RunAnswering(system, steps, {{IDOK, "registered in startup program successfully"}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(bEscapeClosed);
    EXPECT_EQ(Stored(system), kBefore);
    const auto tasks = StoredTasks();
    EXPECT_EQ(std::count(tasks.begin(), tasks.end(), "Tolvi"), 1);
}

TEST(Preferences, RegistersOneTaskInEachModeAndUnregistersItAndAnEarlierRunValue)
{
    CStartupGuard guard;
    CTestSystem system;
    Prepare(system);
    CNotingStartup noting(system.wineStartup);
    system.startup = &noting;
    std::vector<std::string> withTask = StoredTasks();
    const std::vector<std::string> without = withTask;
    withTask.push_back("Tolvi");
    std::sort(withTask.begin(), withTask.end());
    constexpr unsigned kDone = MB_OK | MB_ICONINFORMATION, kError = MB_OK | MB_ICONERROR;
    const std::string never = "Tolvi was never registered in startup program.";
    const std::string unregistered = "Tolvi was unregistered in startup program successfully.";
    struct Press {
        bool bPlantRunValue; // first, as an earlier Tolvi left it
        int nButton;
        std::string message;
        unsigned flags;
        bool bTask; // whether the task is stored afterwards
    };
    const Press presses[] = {
        {true, IDC_REGISTER_UI_MODE, "Tolvi(Standard UI mode) was registered in startup program successfully.", kDone,
         true},
        {false, IDC_REGISTER_AUTO_MODE,
         "Tolvi(Automatic Configuration mode) was registered in startup program successfully.", kDone, true},
        {false, IDC_REGISTER_TRAY_MODE, "Tolvi(Tray mode) was registered in startup program successfully.", kDone,
         true},
        {true, IDC_UNREGISTER, unregistered, kDone, false},
        {false, IDC_UNREGISTER, never, kError, false},
        // An upgraded machine with only the old value.
        {true, IDC_UNREGISTER, unregistered, kDone, false},
        {false, IDC_UNREGISTER, never, kError, false},
    };
    struct After {
        std::vector<std::string> tasks;
        std::optional<std::string> runValue;
    };
    std::vector<After> afters;
    std::vector<Step> steps{[](CDrivenTolviDlg& d) { Click(d.Item(IDC_PREFERENCES)); }};
    for (const Press& press : presses) {
        steps.push_back(WhenOpen(kPreferencesTitle, [&press](CDrivenTolviDlg&, HWND hDlg) {
            if (press.bPlantRunValue)
                PlantRunValue();
            Click(::GetDlgItem(hDlg, press.nButton));
        }));
        // Read back once the message has been answered and the dialog takes input again.
        steps.push_back(WhenOpen(kPreferencesTitle, [&](CDrivenTolviDlg&, HWND) {
            afters.push_back({StoredTasks(), RunValue()});
        }));
    }
    steps.push_back(WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) { Click(::GetDlgItem(hDlg, IDOK)); }));
    const auto seen = RunAnswering(system, steps,
                                   {{IDOK, presses[0].message},
                                    {IDOK, presses[1].message},
                                    {IDOK, presses[2].message},
                                    {IDOK, presses[3].message},
                                    {IDOK, presses[4].message},
                                    {IDOK, presses[5].message},
                                    {IDOK, presses[6].message}});
    ASSERT_EQ(seen.size(), std::size(presses));
    ASSERT_EQ(system.messages.flags.size(), std::size(presses));
    ASSERT_EQ(afters.size(), std::size(presses));
    for (std::size_t k = 0; k < std::size(presses); ++k) {
        SCOPED_TRACE("press " + std::to_string(k + 1) + ": " + presses[k].message);
        EXPECT_EQ(seen[k].text, presses[k].message);
        EXPECT_TRUE(seen[k].hasIcon && seen[k].hasOk && !seen[k].hasCancel);
        EXPECT_EQ(system.messages.flags[k], presses[k].flags);
        EXPECT_EQ(afters[k].tasks, presses[k].bTask ? withTask : without);
        EXPECT_EQ(afters[k].runValue, std::nullopt);
    }
    // Wine's Task Scheduler drops a task's action, so the switches are checked as they were asked for.
    EXPECT_EQ(noting.registered, (std::vector<std::string>{"", "/auto", "/tray"}));
    EXPECT_EQ(Stored(system), kBefore);
}

// Wine lets the user change every file, so the refusal reads from the fake
// and the copy lands in the prefix's own Program Files.
TEST(Preferences, AProgramOthersCanChangeIsInstalledInProgramFilesAndThatCopyRegistered)
{
    CStartupGuard guard;
    CTestSystem system;
    Prepare(system);
    CNotingStartup noting(system.wineStartup);
    system.startup = &noting;
    const std::string folder = system.dir.Path().string();
    system.security.descriptors[folder] = "O:BAD:AI(A;OICIID;FA;;;BA)(A;OICIID;0x1301bf;;;AU)";
    std::ofstream(system.files.ProgramPath(), std::ios::binary) << "MZ, as the program";
    const std::string installed = system.realFiles.ProgramFilesDirectory() + "Tolvi";
    struct Removal {
        std::string folder;
        ~Removal() { std::filesystem::remove_all(folder); }
    } removal{installed};
    std::vector<Step> steps =
        OpenPreferences([](CDrivenTolviDlg&, HWND hDlg) { Click(::GetDlgItem(hDlg, IDC_REGISTER_TRAY_MODE)); });
    steps.push_back(
        WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) { Click(::GetDlgItem(hDlg, IDCANCEL)); }));
    const auto seen =
        RunAnswering(system, steps, {{IDYES, "Install Tolvi for all users"}, {IDOK, "Tolvi is now installed"}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Tolvi was not registered. " + folder +
                                ": \"Authenticated Users\" can change it.\n\nTolvi starts at log-on with "
                                "administrator rights, so whatever can change it there could take those rights "
                                "without a prompt.\n\nInstall Tolvi for all users in " +
                                installed + " now?");
    EXPECT_TRUE(seen[0].hasYes && seen[0].hasNo && seen[0].hasIcon);
    EXPECT_EQ(seen[1].text, "Tolvi is now installed for all users in " + installed + ". The copy in " + folder +
                                "\\ may be deleted.\n\nTolvi(Tray mode) was registered in startup program "
                                "successfully.");
    EXPECT_EQ(noting.programs, (std::vector<std::string>{installed + "\\Tolvi.exe"}));
    EXPECT_EQ(noting.registered, (std::vector<std::string>{"/tray"}));
    for (const char* name : {"Tolvi.exe", "Tolvi.cfg"}) {
        std::vector<std::uint8_t> original, copy;
        system.realFiles.Read(folder + "\\" + name, original);
        EXPECT_EQ(system.realFiles.Read(installed + "\\" + name, copy), FileReadResult::Read) << name;
        EXPECT_EQ(copy, original) << name;
    }
}

TEST(Preferences, ARegistrationThatFailsIsReported)
{
    CTestSystem system;
    Prepare(system);
    CFailingStartup failing;
    system.startup = &failing;
    std::vector<Step> steps;
    for (const int nButton : {IDC_REGISTER_UI_MODE, IDC_REGISTER_AUTO_MODE, IDC_REGISTER_TRAY_MODE, IDC_UNREGISTER}) {
        const std::vector<Step> open =
            OpenPreferences([nButton](CDrivenTolviDlg&, HWND hDlg) { ClickNow(::GetDlgItem(hDlg, nButton)); });
        steps.push_back(open.front());
        steps.push_back(open.back());
        steps.push_back(
            WhenOpen(kPreferencesTitle, [](CDrivenTolviDlg&, HWND hDlg) { Click(::GetDlgItem(hDlg, IDCANCEL)); }));
        steps.push_back(WhenIdle([](CDrivenTolviDlg&) {}));
    }
    const auto seen = RunAnswering(system, steps,
                                   {{IDOK, "Registration Failed."},
                                    {IDOK, "Registration Failed."},
                                    {IDOK, "Registration Failed."},
                                    {IDOK, "Unregistration Failed."}});
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].text, "Registration Failed.");
    EXPECT_EQ(seen[1].text, "Registration Failed.");
    EXPECT_EQ(seen[2].text, "Registration Failed.");
    EXPECT_EQ(seen[3].text, "Unregistration Failed.");
    const unsigned kError = MB_OK | MB_ICONERROR;
    EXPECT_EQ(system.messages.flags, (std::vector<unsigned>{kError, kError, kError, kError}));
}

TEST(Preferences, TheWaitIsReadAsItsLeadingDigitsAndKeptWithinASignedNumber)
{
    constexpr std::uint32_t kLargest = std::numeric_limits<std::int32_t>::max();
    const struct {
        const char* text;
        std::uint32_t wait;
    } cases[] = {
        {"", 0},
        {"0", 0},
        {"7000", 7000},
        {"000120", 120},
        {"2147483647", kLargest},
        {"2147483648", kLargest},
        {"99999999999999999999999", kLargest},
        {"15s", 15}, // pasted text need not be digits only
        {" 42", 42},
        {"-5", 0},
        {"x5", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CTolviPrefDlg::DhcpWaitOf(c.text), c.wait) << '"' << c.text << '"';
}

TEST(Help, ShowsTheUsageWithItsBlankLinesAndIndentationAndClosesByEscape)
{
    CTestSystem system;
    system.AddConnection("Office");
    std::string text;
    RECT textRect{};
    LONG drawnHeight = 0, usageHeight = 0;
    int lineHeight = 0;
    const std::string usage = kCommandLineUsage;
    bool bCancelHidden = false;
    std::vector<Step> steps{[](CDrivenTolviDlg& d) { Click(d.Item(IDC_HELP_BUTTON)); },
                            WhenOpen("Help",
                                     [&](CDrivenTolviDlg&, HWND hDlg) {
                                         const HWND hText = ::GetDlgItem(hDlg, IDC_HELP_TEXT);
                                         text = CWnd::TextOf(hText);
                                         ::GetClientRect(hText, &textRect);
                                         bCancelHidden = !::IsWindowVisible(::GetDlgItem(hDlg, IDCANCEL));
                                         // How tall the text is drawn in the control's width.
                                         const HDC hDC = ::GetDC(hText);
                                         const HGDIOBJ hOld = ::SelectObject(
                                             hDC, reinterpret_cast<HGDIOBJ>(::SendMessageA(hText, WM_GETFONT, 0, 0)));
                                         const auto heightOf = [&](const std::string& drawn) {
                                             RECT rect{0, 0, textRect.right, 0};
                                             ::DrawTextA(hDC, drawn.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
                                             return rect.bottom;
                                         };
                                         lineHeight = heightOf("Usage:");
                                         drawnHeight = heightOf(text);
                                         usageHeight = heightOf(usage.substr(0, usage.size() - 1));
                                         ::SelectObject(hDC, hOld);
                                         ::ReleaseDC(hText, hDC);
                                         SaveWindowShot(hDlg, "help");
                                         PostKey(::GetDlgItem(hDlg, IDOK), VK_ESCAPE);
                                     }),
                            WhenIdle(Exit)};
    RunMainDialog(system, steps);
    EXPECT_EQ(text, CTolviHelpDlg::HelpText());
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Usage:");
    EXPECT_EQ(lines[4], "  Tolvi.exe /auto");
    EXPECT_EQ(lines[5], "    -> Automatic Configuration and Exit program.");
    EXPECT_EQ(lines[6], "  Tolvi.exe");
    EXPECT_EQ(lines[7], "    -> Normal mode.");
    EXPECT_EQ(lines[8], "  Tolvi.exe /tray");
    EXPECT_EQ(lines[11], "  Tolvi.exe /apply NAME");
    EXPECT_EQ(lines[32], "");
    EXPECT_EQ(lines[33], "Tolvi 1.0");
    EXPECT_EQ(lines[36], "Start-up registration is the task \"Tolvi\" in the Task Scheduler Library (taskschd.msc), "
                         "run at log-on with highest privileges.");
    EXPECT_EQ(lines[37], "Run as administrator: changing network settings needs it.");
    // Every line, and the long ones wrapped over more than one.
    ASSERT_GT(lineHeight, 0);
    EXPECT_GT(drawnHeight / lineHeight, 38);
    EXPECT_LE(drawnHeight, textRect.bottom) << "the text is cut off";
    EXPECT_EQ(usageHeight, std::count(usage.begin(), usage.end(), '\n') * lineHeight) << "a usage line is wrapped";
    EXPECT_TRUE(bCancelHidden);
}

} // namespace

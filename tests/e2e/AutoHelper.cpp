// The Windows side of the end-to-end test of Tolvi.exe /auto; texts in UTF-8.
//   tolvi_auto_helper config PATH [NAME]  writes the test's Tolvi.cfg, its
//                                    configurations on connection NAME
//   tolvi_auto_helper answer TEXT    waits for a Tolvi message box showing
//                                    TEXT (or, for TEXT ending in '*', text
//                                    that begins so), prints "TEXT|icon" or
//                                    "TEXT|no icon" and presses its OK button,
//                                    or No, adding ", No", for a question
//   tolvi_auto_helper icons N        waits until N icons are in Wine's tray
//   tolvi_auto_helper click          clicks the first icon with the right button
//   tolvi_auto_helper menu KEYS      waits for a popup menu and types KEYS
//                                    into it: d down, u up, e Enter, x Escape
//   tolvi_auto_helper balloon TEXT   waits for a balloon showing TEXT ('*' as
//                                    for answer) and prints what it shows;
//                                    "none" waits until no balloon shows
//   tolvi_auto_helper close          waits for the main dialog and closes it
//   tolvi_auto_helper resume         broadcasts the power message of a resume
//   tolvi_auto_helper shell-restart  takes Tolvi's icon away, as a shell that
//                                    ended does, and broadcasts the new shell's
//                                    taskbar-created message
//   tolvi_auto_helper user CMDLINE   runs CMDLINE as a user without
//                                    administrator rights (Administrators
//                                    deny-only) and exits with its exit code
#include "config/Address.h"
#include "config/ConfigList.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Handle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32CodePage.h"
#include "support/TestSettings.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr DWORD kAnswerWithinMs = 60000;
constexpr char kTrayClass[] = "__winex11_standalone_tray";
constexpr char kTrayIconClass[] = "__winex11_tray_icon";
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 1088;
constexpr int kConnectionBoxId = 1001;

// The test host 198.18.5.2 answers only once the lab's address is set; the
// office comes first and fails; home obtains its address by DHCP, so it is
// put off behind every static configuration and never tried.
int WriteConfig(const std::string& path, const std::string& connection)
{
    CSystemFileSystem files;
    CWin32CodePage codePage;
    CConfigList list(files, codePage);
    list.SetDefaultPreferences();
    PREFERENCES& preferences = list.GetPreferences();
    preferences.dwTestAddress = 0xC6120502; // 198.18.5.2 in control order
    std::snprintf(preferences.szDefaultConnection, sizeof preferences.szDefaultConnection, "%s", connection.c_str());
    const char* lan = connection.c_str();
    list.Add("Office", lan,
             Settings(0, 0, ParseAddress("10.1.0.20"), ParseAddress("255.255.0.0"), ParseAddress("10.1.0.1"),
                      ParseAddress("10.1.0.53"), 0, 0));
    list.Add("Home", lan, Settings(1, 1, 0, 0, 0, 0, 0, 0));
    list.Add("Lab", lan,
             Settings(0, 0, ParseAddress("198.18.5.1"), ParseAddress("255.255.255.0"), ParseAddress("198.18.5.254"),
                      ParseAddress("198.18.5.53"), ParseAddress("198.18.5.54"), 0));
    return list.Save(path) == SaveResult::Written ? 0 : 1;
}

std::string TextOf(HWND hWnd)
{
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, ARRAYSIZE(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                          &copied);
    return Utf8(text);
}

bool Matches(const std::string& shown, const std::string& wanted)
{
    return wanted.ends_with('*') ? shown.starts_with(std::string_view(wanted).substr(0, wanted.size() - 1))
                                 : shown == wanted;
}

struct Search {
    std::string text;
    HWND hFound = nullptr;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    auto& search = *reinterpret_cast<Search*>(lParam);
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    const std::string shown = TextOf(::GetDlgItem(hWnd, kMessageTextId));
    if (::IsWindowVisible(hWnd) && std::string(className) == "#32770" && TextOf(hWnd) == "Tolvi" &&
        Matches(shown, search.text)) {
        search.hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}

int Answer(const char* pszText)
{
    Search search{pszText};
    for (DWORD waited = 0; !search.hFound && waited < kAnswerWithinMs; waited += 50) {
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.hFound)
            ::Sleep(50);
    }
    if (!search.hFound) {
        std::printf("no box \"%s\"\n", pszText);
        return 1;
    }
    // The icon's handle is a plain number, so it can be asked across processes.
    DWORD_PTR hIcon = 0;
    ::SendMessageTimeoutA(::GetDlgItem(search.hFound, kMessageIconId), STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000,
                          &hIcon);
    // A question is declined: No changes nothing.
    const HWND hNo = ::GetDlgItem(search.hFound, IDNO);
    std::printf("%s|%s%s\n", search.text.c_str(), hIcon ? "icon" : "no icon", hNo ? ", No" : "");
    std::fflush(stdout);
    ::PostMessageA(hNo ? hNo : ::GetDlgItem(search.hFound, IDOK), BM_CLICK, 0, 0);
    return 0;
}

// Polls until found returns a window, for as long as an answer may take.
HWND WaitFor(const std::function<HWND()>& found)
{
    for (DWORD waited = 0; waited < kAnswerWithinMs; waited += 50) {
        if (const HWND hWnd = found())
            return hWnd;
        ::Sleep(50);
    }
    return nullptr;
}

std::vector<HWND> TrayIcons()
{
    std::vector<HWND> icons;
    const HWND hTray = ::FindWindowA(kTrayClass, nullptr);
    for (HWND hIcon = nullptr; hTray && (hIcon = ::FindWindowExA(hTray, hIcon, kTrayIconClass, nullptr));)
        icons.push_back(hIcon);
    return icons;
}

int WaitForIcons(std::size_t nCount)
{
    const bool bFound = WaitFor([&] { return TrayIcons().size() == nCount ? ::GetDesktopWindow() : nullptr; });
    std::printf("%zu\n", TrayIcons().size());
    return bFound ? 0 : 1;
}

int ClickIcon()
{
    const std::vector<HWND> icons = TrayIcons();
    if (icons.empty())
        return 1;
    // As the shell passes a click on: the owner's callback message follows.
    ::PostMessageA(icons.front(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    ::PostMessageA(icons.front(), WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    return 0;
}

int TypeIntoMenu(const std::string& keys)
{
    const HWND hMenu = WaitFor([] {
        const HWND hWnd = ::FindWindowA("#32768", nullptr);
        return hWnd && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
    });
    if (!hMenu) {
        std::printf("no menu\n");
        return 1;
    }
    for (const char key : keys) {
        const WPARAM vk = key == 'd' ? VK_DOWN : key == 'u' ? VK_UP : key == 'e' ? VK_RETURN : VK_ESCAPE;
        // The menu's loop takes keys from its thread's queue.
        ::PostMessageA(hMenu, WM_KEYDOWN, vk, 0);
        ::PostMessageA(hMenu, WM_KEYUP, vk, 0);
        ::Sleep(100);
    }
    std::printf("menu\n");
    return 0;
}

// The balloon showing the text; with "none", the moment none shows.
int WaitForBalloon(const std::string& wanted)
{
    const auto shownBalloon = [](const std::string& text, std::string& shown) -> HWND {
        for (HWND hWnd = nullptr; (hWnd = ::FindWindowExA(nullptr, hWnd, TOOLTIPS_CLASSA, nullptr));) {
            shown = TextOf(hWnd);
            if (::IsWindowVisible(hWnd) && (::GetWindowLongA(hWnd, GWL_STYLE) & TTS_BALLOON) && Matches(shown, text))
                return hWnd;
        }
        return nullptr;
    };
    std::string shown;
    if (wanted == "none") {
        const bool bGone = WaitFor([&] { return shownBalloon("*", shown) ? nullptr : ::GetDesktopWindow(); });
        std::printf(bGone ? "none\n" : "still \"%s\"\n", shown.c_str());
        return bGone ? 0 : 1;
    }
    const HWND hBalloon = WaitFor([&] { return shownBalloon(wanted, shown); });
    std::printf("%s\n", hBalloon ? shown.c_str() : ("no balloon \"" + wanted + "\"").c_str());
    return hBalloon ? 0 : 1;
}

int CloseMainDialog()
{
    // Its connection box tells it from the progress display and message boxes.
    const HWND hDialog = WaitFor([] {
        HWND hWnd = nullptr;
        while ((hWnd = ::FindWindowExA(nullptr, hWnd, "#32770", nullptr)) &&
               !(::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, kConnectionBoxId)))
            ;
        return hWnd;
    });
    std::printf(hDialog ? "closed\n" : "no main dialog\n");
    return hDialog && ::PostMessageA(hDialog, WM_CLOSE, 0, 0) ? 0 : 1;
}

int RestartShell()
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = ::FindWindowA("Tolvi.Tray", nullptr);
    data.uID = 1;
    if (!data.hWnd || !::Shell_NotifyIconA(NIM_DELETE, &data) || WaitForIcons(0) != 0)
        return 1;
    ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    return 0;
}

int RunAsUser(std::string commandLine)
{
    HANDLE hToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY, &hToken))
        return 90;
    const CHandle token(hToken);
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD nSize = sizeof sid;
    SID_AND_ATTRIBUTES administrators{sid, 0};
    HANDLE hRestricted = nullptr;
    if (!::CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &nSize) ||
        !::CreateRestrictedToken(token.Get(), 0, 1, &administrators, 0, nullptr, 0, nullptr, &hRestricted))
        return 91;
    const CHandle restricted(hRestricted);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessAsUserA(restricted.Get(), nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &startup, &info))
        return 92;
    const CHandle process(info.hProcess), thread(info.hThread);
    DWORD dwExitCode = 93;
    ::WaitForSingleObject(process.Get(), INFINITE);
    ::GetExitCodeProcess(process.Get(), &dwExitCode);
    return static_cast<int>(dwExitCode);
}

} // namespace

int main()
{
    // Read wide: a path or a name may lie outside the system's code page.
    int argc = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::vector<std::string> argv;
    for (int i = 0; wide && i < argc; ++i)
        argv.push_back(Utf8(wide[i]));
    ::LocalFree(wide);
    argc = static_cast<int>(argv.size());
    const std::string verb = argc > 1 ? argv[1] : "";
    const std::string operand = argc == 3 ? argv[2] : "";
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (verb == "config" && (argc == 3 || argc == 4))
        return WriteConfig(argv[2], argc == 4 ? argv[3] : "Local Area Network");
    if (verb == "answer" && argc == 3)
        return Answer(argv[2].c_str());
    if (verb == "icons" && argc == 3)
        return WaitForIcons(std::stoul(operand));
    if (verb == "click")
        return ClickIcon();
    if (verb == "menu" && argc == 3)
        return TypeIntoMenu(operand);
    if (verb == "balloon" && argc == 3)
        return WaitForBalloon(operand);
    if (verb == "close")
        return CloseMainDialog();
    if (verb == "resume")
        return ::PostMessageA(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) ? 0 : 1;
    if (verb == "shell-restart")
        return RestartShell();
    if (verb == "user" && argc == 3)
        return RunAsUser(operand);
    std::fprintf(stderr, "usage: tolvi_auto_helper config PATH [NAME] | answer TEXT | icons N | click | menu KEYS | "
                         "balloon TEXT | close | resume | shell-restart | user CMDLINE\n");
    return 2;
}

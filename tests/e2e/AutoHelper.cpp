// The Windows side of the end-to-end test of Tolvi.exe /auto.
//   tolvi_auto_helper config PATH    writes the test's Tolvi.cfg
//   tolvi_auto_helper answer TEXT    waits for a Tolvi message box showing
//                                    TEXT (or, for TEXT ending in '*', text
//                                    that begins so), prints "TEXT|icon" or
//                                    "TEXT|no icon" and presses its OK button
#include "config/Address.h"
#include "config/ConfigList.h"
#include "platform/SystemFileSystem.h"
#include "support/TestSettings.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr DWORD kAnswerWithinMs = 60000;
constexpr int kMessageTextId = 0xFFFF;
constexpr int kMessageIconId = 1088;

// The test host 198.18.5.2 answers only once the lab's address is set; the
// office comes first and fails; home obtains its address by DHCP, so it is
// put off behind every static configuration and never tried.
int WriteConfig(const char* pszPath)
{
    CSystemFileSystem files;
    CConfigList list(files);
    list.SetDefaultPreferences();
    PREFERENCES& preferences = list.GetPreferences();
    preferences.dwTestAddress = 0xC6120502; // 198.18.5.2 in control order
    std::snprintf(preferences.szDefaultConnection, sizeof preferences.szDefaultConnection, "Local Area Network");
    const char* lan = "Local Area Network";
    list.Add("Office", lan,
             Settings(0, 0, ParseAddress("10.1.0.20"), ParseAddress("255.255.0.0"), ParseAddress("10.1.0.1"),
                      ParseAddress("10.1.0.53"), 0, 0));
    list.Add("Home", lan, Settings(1, 1, 0, 0, 0, 0, 0, 0));
    list.Add("Lab", lan,
             Settings(0, 0, ParseAddress("198.18.5.1"), ParseAddress("255.255.255.0"), ParseAddress("198.18.5.254"),
                      ParseAddress("198.18.5.53"), ParseAddress("198.18.5.54"), 0));
    return list.Save(pszPath) == SaveResult::Written ? 0 : 1;
}

std::string TextOf(HWND hWnd)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                          &copied);
    return text;
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
    const bool bMatches = search.text.ends_with('*')
                              ? shown.starts_with(std::string_view(search.text).substr(0, search.text.size() - 1))
                              : shown == search.text;
    if (::IsWindowVisible(hWnd) && std::string(className) == "#32770" && TextOf(hWnd) == "Tolvi" && bMatches) {
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
    std::printf("%s|%s\n", search.text.c_str(), hIcon ? "icon" : "no icon");
    std::fflush(stdout);
    ::PostMessageA(::GetDlgItem(search.hFound, IDOK), BM_CLICK, 0, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "config" && argc == 3)
        return WriteConfig(argv[2]);
    if (verb == "answer" && argc == 3)
        return Answer(argv[2]);
    std::fprintf(stderr, "usage: tolvi_auto_helper config PATH | answer TEXT\n");
    return 2;
}

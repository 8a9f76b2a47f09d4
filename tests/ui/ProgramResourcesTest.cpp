// What Windows reads from Tolvi.exe before any of its code runs: the
// manifest, the version and the icon, taken from the built program file.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CProgramFile {
public:
    CProgramFile()
    {
        const char* pszPath = std::getenv("TOLVI_EXE");
        path = pszPath ? pszPath : "";
        m_hModule = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ~CProgramFile()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }
    CProgramFile(const CProgramFile&) = delete;
    CProgramFile& operator=(const CProgramFile&) = delete;

    // The bytes of one resource; empty when it is not there.
    std::string Resource(LPCSTR type, LPCSTR name) const
    {
        const HRSRC hFound = m_hModule ? ::FindResourceA(m_hModule, name, type) : nullptr;
        const HGLOBAL hData = hFound ? ::LoadResource(m_hModule, hFound) : nullptr;
        if (!hData)
            return {};
        return std::string(static_cast<const char*>(::LockResource(hData)), ::SizeofResource(m_hModule, hFound));
    }

    std::string path;
    HMODULE Module() const { return m_hModule; }

private:
    HMODULE m_hModule = nullptr;
};

TEST(ProgramResources, TheManifestAsksForCommonControls6DpiAwarenessAndNoRights)
{
    CProgramFile program;
    ASSERT_NE(program.Module(), nullptr) << program.path;
    const std::string manifest = program.Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    for (const char* pszPart : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"",
                                ">PerMonitorV2", "<dpiAware", "true/pm"})
        EXPECT_NE(manifest.find(pszPart), std::string::npos) << pszPart;
}

TEST(ProgramResources, TheVersionIsOnePointZeroOfTolvi)
{
    CProgramFile program;
    DWORD handle = 0;
    std::vector<char> info(::GetFileVersionInfoSizeA(program.path.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(program.path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &size));
    EXPECT_EQ(pFixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(pFixed->dwFileVersionLS, 0u);
    EXPECT_EQ(pFixed->dwProductVersionMS, MAKELONG(0, 1));
    for (const auto& [name, expected] :
         {std::pair{"ProductName", "Tolvi"}, {"ProductVersion", "1.0.0.0"}, {"OriginalFilename", "Tolvi.exe"}}) {
        char* pszValue = nullptr;
        const std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(::VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&pszValue), &size)) << name;
        EXPECT_STREQ(pszValue, expected);
    }
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramResources, TheIconHasEverySizeWindowsAsksFor)
{
    CProgramFile program;
    const std::string group = program.Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6u + count * sizeof(IconGroupEntry));
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* pEntry = reinterpret_cast<const IconGroupEntry*>(group.data() + 6) + i;
        sizes.push_back(pEntry->width ? pEntry->width : 256);
        EXPECT_EQ(pEntry->bitCount, 32);
        EXPECT_FALSE(program.Resource(RT_ICON, MAKEINTRESOURCEA(pEntry->id)).empty());
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    // The sizes the title bar and the task switcher load.
    for (const int size : {16, 32, 48}) {
        const auto hIcon = static_cast<HICON>(
            ::LoadImageA(program.Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(hIcon, nullptr) << size;
        ICONINFO icon{};
        ASSERT_TRUE(::GetIconInfo(hIcon, &icon));
        BITMAP bitmap{};
        ::GetObjectA(icon.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        ::DeleteObject(icon.hbmColor);
        ::DeleteObject(icon.hbmMask);
        ::DestroyIcon(hIcon);
    }
}

} // namespace

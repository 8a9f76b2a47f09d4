#include "DialogTesting.h"

#include "framework/ThreadMessagePump.h"
#include "resource.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

// Releases the GDI objects of one capture.
struct Capture {
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = nullptr;
    ~Capture()
    {
        if (hBitmap)
            ::DeleteObject(hBitmap);
        ::DeleteDC(hMemory);
        ::ReleaseDC(nullptr, hScreen);
    }
};

template <class T>
void Append(std::vector<std::uint8_t>& out, const T& value)
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

} // namespace

std::string SaveWindowShot(HWND hWnd, const char* pszName)
{
    const char* pszFolder = std::getenv("TOLVI_SCREENSHOTS");
    RECT rect{};
    if (!pszFolder || !::GetWindowRect(hWnd, &rect))
        return {};
    ::CreateDirectoryA(pszFolder, nullptr);
    // What changed in this step is painted, and Wine hands its window
    // surfaces to the display only from a message loop.
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitUntil([] { return false; }, 150);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    Capture capture;
    capture.hBitmap = ::CreateCompatibleBitmap(capture.hScreen, width, height);
    const HGDIOBJ hOld = ::SelectObject(capture.hMemory, capture.hBitmap);
    const BOOL copied = ::BitBlt(capture.hMemory, 0, 0, width, height, capture.hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(capture.hMemory, hOld);
    if (!copied)
        return {};

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height));
    if (!::GetDIBits(capture.hMemory, capture.hBitmap, 0, static_cast<UINT>(height), pixels.data(),
                     reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        return {};

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::vector<std::uint8_t> bytes;
    Append(bytes, file);
    Append(bytes, info);
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());

    const std::string path = std::string(pszFolder) + "/" + pszName + ".bmp";
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out ? path : std::string();
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds)
{
    CThreadMessagePump pump;
    const DWORD start = ::GetTickCount();
    for (;;) {
        pump.HandleWaiting();
        if (condition())
            return true;
        if (::GetTickCount() - start >= milliseconds)
            return false;
        ::Sleep(10);
    }
}

ThreadEnd WaitForThread(HANDLE hThread, DWORD milliseconds)
{
    ThreadEnd end;
    end.ended = WaitUntil([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, milliseconds);
    ::GetExitCodeThread(hThread, &end.exitCode);
    return end;
}

void PostKey(HWND hWnd, WPARAM key)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, key, 1);
}

void Click(HWND hButton)
{
    ::PostMessageA(hButton, BM_CLICK, 0, 0);
}

HWND FindProgressDialog(DWORD threadId)
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        threadId,
        [](HWND hWnd, LPARAM param) {
            if (!::GetDlgItem(hWnd, IDC_APPLY_PROGRESS))
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

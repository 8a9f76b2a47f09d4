#include "platform/win32/Win32ErrorStream.h"

#include <windows.h>

#include <string>

int CWin32ErrorStream::Show(const char* pszText, unsigned flags)
{
    // A GUI program started from a console has no such handle unless its
    // caller redirected one.
    const HANDLE hError = ::GetStdHandle(STD_ERROR_HANDLE);
    if (hError && hError != INVALID_HANDLE_VALUE) {
        const std::string line = std::string(pszText) + "\r\n";
        DWORD nWritten = 0;
        ::WriteFile(hError, line.data(), static_cast<DWORD>(line.size()), &nWritten, nullptr);
    }
    return (flags & mb::kYesNo) ? mb::kIdNo : mb::kIdOk;
}

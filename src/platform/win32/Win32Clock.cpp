#include "platform/win32/Win32Clock.h"

#include <windows.h>

std::uint32_t CWin32Clock::TickCount()
{
    return ::GetTickCount();
}

void CWin32Clock::Sleep(std::uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}

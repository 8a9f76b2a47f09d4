#include "platform/win32/Win32MessageBox.h"

#include <windows.h>

int CWin32MessageBox::Show(const char* pszText, unsigned flags)
{
    return ::MessageBoxA(::GetActiveWindow(), pszText, "Tolvi", flags);
}

#include "platform/win32/Win32MessageBox.h"

#include "platform/win32/WideText.h"

#include <windows.h>

int CWin32MessageBox::Show(const char* pszText, unsigned flags)
{
    return ::MessageBoxW(::GetActiveWindow(), Wide(pszText).c_str(), L"Tolvi", flags);
}

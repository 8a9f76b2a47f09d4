#include "framework/AfxMessageBox.h"
#include "platform/win32/Win32MessageBox.h"

int AfxMessageBox(const char* pszText, UINT nType)
{
    return CWin32MessageBox().Show(pszText, nType);
}

#pragma once

#include <windows.h>

// A message box over the active window, with the program's title.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK);

#pragma once

#include "resource.h"

#include <windows.h>

// The program's icon at the size of the metrics given. Shared icons belong
// to the module and are never destroyed by hand.
inline HICON LoadProgramIcon(int nMetricX, int nMetricY)
{
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           ::GetSystemMetrics(nMetricX), ::GetSystemMetrics(nMetricY), LR_SHARED));
}

#pragma once

#include "framework/WinApp.h"

// The program: the main dialog, run modally once.
class CTolviApp final : public CWinApp {
public:
    // Always FALSE: the process ends when the main dialog has ended.
    BOOL InitInstance() override;
};

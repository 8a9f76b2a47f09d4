#pragma once

#include "platform/MessageBox.h"

// A message box titled "Tolvi", owned by the thread's active window.
class CWin32MessageBox final : public IMessageBox {
public:
    int Show(const char* pszText, unsigned flags) override;
};

#pragma once

#include "platform/MessageBox.h"

// The messages of a quiet run, written to the standard error handle the
// program was given (the installer's import step reads them for its log);
// nothing without one. A question gets the answer that changes nothing.
class CWin32ErrorStream final : public IMessageBox {
public:
    int Show(const char* pszText, unsigned flags) override;
};

#pragma once

#include "platform/MessageBox.h"

// Shows nothing, for runs that nobody watches: a question gets the answer
// that changes nothing.
class CSilentMessageBox final : public IMessageBox {
public:
    int Show(const char*, unsigned flags) override { return (flags & mb::kYesNo) ? mb::kIdNo : mb::kIdOk; }
};

#pragma once

#include "platform/Clock.h"

class CWin32Clock final : public IClock {
public:
    std::uint32_t TickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
};

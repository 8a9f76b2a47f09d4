#pragma once

#include <cstdlib>

// A broken promise ends the run where libFuzzer sees it, with the input kept.
inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

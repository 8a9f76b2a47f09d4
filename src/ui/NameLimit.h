#pragma once

#include "config/Configuration.h"

// Most characters a configuration name field takes: a longer name would be
// cut when stored and no longer find what the user typed.
constexpr int kNameLimit = static_cast<int>(kNameSize - 1);
static_assert(kNameLimit == 512);

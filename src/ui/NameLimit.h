#pragma once

#include "config/Configuration.h"
#include "platform/win32/WideText.h"

// Most characters a configuration name field takes: a longer name would be
// cut when stored and no longer find what the user typed. A name whose
// characters take more than a byte each in UTF-8 is cut further, at a whole
// character, to the stored field's bytes.
constexpr int kNameLimit = static_cast<int>(kNameSize - 1);
static_assert(kNameLimit == 512);

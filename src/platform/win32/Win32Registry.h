#pragma once

#include "platform/Registry.h"

// HKEY_LOCAL_MACHINE through the wide registry calls, its texts as UTF-8.
class CWin32Registry final : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenLocalMachine(const char* pszPath, RegistryAccess access) override;
};

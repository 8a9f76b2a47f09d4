#pragma once

#include <windows.h>

// A DLL taken from the system folder only. Tolvi runs elevated, often from a
// folder its user can write to, and Windows would look there first for any
// DLL that is not one of its KnownDLLs.
class CSystemLibrary {
public:
    explicit CSystemLibrary(const char* pszName);
    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;
    ~CSystemLibrary();

    // The exported function, or nullptr when the DLL or the function is missing.
    template <typename Function>
    Function* Find(const char* pszName) const
    {
        return Lookup<Function>(m_hModule, pszName);
    }

    // Makes every later search for a DLL by its bare name look in the system
    // folder only. Called before anything else runs in the program.
    static void RestrictSearch();

private:
    template <typename Function>
    static Function* Lookup(HMODULE hModule, const char* pszName)
    {
        // Through void(*)(), which converts to any function type without a warning.
        return hModule ? reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(::GetProcAddress(hModule, pszName)))
                       : nullptr;
    }

    HMODULE m_hModule = nullptr;
};

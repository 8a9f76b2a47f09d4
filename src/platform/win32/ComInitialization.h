#pragma once

#include <windows.h>

#include <objbase.h>

// COM on the calling thread while this lives, uninitialised as often as it
// was initialised. A thread already in the multithreaded apartment uses COM
// as it is and must not be uninitialised by us.
class CComInitialization {
public:
    CComInitialization() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    CComInitialization(const CComInitialization&) = delete;
    CComInitialization& operator=(const CComInitialization&) = delete;
    ~CComInitialization()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }

    // Whether COM can be used on this thread.
    explicit operator bool() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

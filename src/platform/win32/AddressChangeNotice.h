#pragma once

#include "platform/win32/Handle.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

// The system's notice that an IPv4 address was added or removed: an event
// set when one was, for a message loop to wait on. Some systems never set
// it (Wine 8 among them), so it only hastens what polling finds anyway.
class CAddressChangeNotice {
public:
    CAddressChangeNotice();
    CAddressChangeNotice(const CAddressChangeNotice&) = delete;
    CAddressChangeNotice& operator=(const CAddressChangeNotice&) = delete;
    ~CAddressChangeNotice();

    // nullptr when the notice cannot be asked for.
    HANDLE Event() const { return m_bWaiting ? m_event.Get() : nullptr; }
    // After the event was set: asks for the next notice.
    void Rearm();

private:
    using NotifyAddrChangeFunction = DWORD WINAPI(HANDLE*, OVERLAPPED*);
    using CancelIPChangeNotifyFunction = BOOL WINAPI(OVERLAPPED*);

    // Loaded at run time: IPHLPAPI.DLL is not a KnownDLL.
    CSystemLibrary m_iphlpapi{"iphlpapi.dll"};
    NotifyAddrChangeFunction* m_notifyAddrChange = nullptr;
    CancelIPChangeNotifyFunction* m_cancel = nullptr;
    CHandle m_event;
    OVERLAPPED m_overlapped{};
    bool m_bWaiting = false;
};

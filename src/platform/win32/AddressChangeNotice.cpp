#include "platform/win32/AddressChangeNotice.h"

CAddressChangeNotice::CAddressChangeNotice()
    : m_notifyAddrChange(m_iphlpapi.Find<NotifyAddrChangeFunction>("NotifyAddrChange")),
      m_cancel(m_iphlpapi.Find<CancelIPChangeNotifyFunction>("CancelIPChangeNotify")),
      m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    Rearm();
}

CAddressChangeNotice::~CAddressChangeNotice()
{
    // The request writes into m_overlapped until it is cancelled and done.
    if (m_bWaiting && m_cancel && m_cancel(&m_overlapped))
        ::WaitForSingleObject(m_event.Get(), 1000);
}

void CAddressChangeNotice::Rearm()
{
    m_bWaiting = false;
    if (!m_notifyAddrChange || !m_cancel || !m_event)
        return;
    ::ResetEvent(m_event.Get());
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event.Get();
    HANDLE hUnused = nullptr;
    m_bWaiting = m_notifyAddrChange(&hUnused, &m_overlapped) == ERROR_IO_PENDING;
}

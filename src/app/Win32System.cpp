#include "app/Win32System.h"

TolviSystem CWin32System::Services(bool bQuiet)
{
    IMessageBox& messages = bQuiet ? static_cast<IMessageBox&>(m_quietMessages) : m_messages;
    return {{m_adapters, m_registry, m_processes, m_pump, m_clock, &m_addressStates},
            messages,
            m_files,
            m_sockets,
            m_clock,
            m_startup,
            m_security,
            m_codePage,
            m_elevation,
            m_bServiceInstalled ? &m_service : nullptr};
}

#include "ui/Win32System.h"

#include <windows.h>

TolviSystem CWin32System::Services()
{
    return {{m_adapters, m_registry, m_processes, m_pump, m_messages},
            m_files,
            m_sockets,
            m_clock,
            m_startup,
            ::GetCommandLineA()};
}

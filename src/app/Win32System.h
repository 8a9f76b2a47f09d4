#pragma once

#include "framework/ThreadMessagePump.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32AdapterList.h"
#include "platform/win32/Win32AddressStates.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Elevation.h"
#include "platform/win32/Win32ErrorStream.h"
#include "platform/win32/Win32FileSecurity.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32ProcessRunner.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SocketLibrary.h"
#include "platform/win32/Win32StartupRegistration.h"
#include "service/ServiceClient.h"
#include "service/win32/PipeClient.h"
#include "service/win32/ServicePresence.h"
#include "ui/TolviSystem.h"

// The real system services of one run of the program.
class CWin32System {
public:
    CWin32System() = default;
    CWin32System(const CWin32System&) = delete;
    CWin32System& operator=(const CWin32System&) = delete;

    // Quiet services show no message box; their messages go to the
    // standard error handle, when the program was given one.
    TolviSystem Services(bool bQuiet);

private:
    CWin32AdapterList m_adapters;
    CWin32Registry m_registry;
    CWin32ProcessRunner m_processes;
    CThreadMessagePump m_pump;
    CWin32MessageBox m_messages;
    CWin32ErrorStream m_quietMessages;
    CSystemFileSystem m_files;
    CWin32SocketLibrary m_sockets;
    CWin32Clock m_clock;
    // Looked up once: an installed Tolvi runs unelevated, registers a log-on
    // entry and has its service change the network.
    bool m_bServiceInstalled = ServiceInstalled();
    CWin32Elevation m_elevation{m_bServiceInstalled, m_files};
    CWin32StartupRegistration m_startup{m_bServiceInstalled};
    CWin32FileSecurity m_security;
    CWin32AddressStates m_addressStates;
    CWin32CodePage m_codePage;
    CPipeClient m_pipe{m_pump};
    CServiceClient m_service{m_pipe};
};

#pragma once

#include "engine/OperationService.h"
#include "net/NetworkPlatform.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Elevation.h"
#include "platform/FileSecurity.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/SocketLibrary.h"
#include "platform/StartupRegistration.h"
#include "ui/StartupActions.h"

// The system services the main dialog runs on: the real ones in Tolvi.exe,
// a test's own in the dialog tests. They outlive the dialog.
struct TolviSystem {
    NetworkPlatform network;
    // Silent for a quiet script run.
    IMessageBox& messages;
    IFileSystem& files;
    ISocketLibrary& sockets;
    IClock& clock;
    // Starts the program at log-on, or stops doing so.
    IStartupRegistration& startup;
    // Who can change the program where it is.
    IFileSecurity& security;
    // The code page of the names in Tolvi.cfg's version 1.
    const ICodePage& codePage;
    // Whether this process may change configurations, and Tolvi's service.
    IElevation& elevation;
    // Where the service is installed, the only way to change the network:
    // applying a saved configuration and automatic configuration go
    // through it. None for a portable Tolvi, which does them itself.
    IOperationService* pService = nullptr;

    StartupServices Startup() const { return {startup, files, security, messages}; }
};

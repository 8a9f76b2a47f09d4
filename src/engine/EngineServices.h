#pragma once

#include "config/ConfigList.h"
#include "engine/MainWindow.h"
#include "engine/Progress.h"
#include "net/Connections.h"
#include "net/EchoProbe.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

// Everything the long operations work with, owned by the main dialog.
struct EngineServices {
    CConfigList& configs;
    IConnections& connections;
    IEchoProbe& probe;
    IProgress& progress;
    IMainWindow& window;
    IMessageBox& messages;
    IClock& clock;
};

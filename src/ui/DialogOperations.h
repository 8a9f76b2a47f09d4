#pragma once

#include "engine/ApplyConfiguration.h"
#include "engine/EngineServices.h"
#include "engine/ExitCode.h"
#include "platform/MessageBox.h"
#include "ui/MainWindow.h"

// The long operations as the main dialog runs them: it is disabled and
// hidden while the progress display is open, and enabled, shown and focused
// once it has closed; then come the outcome's message boxes and, after a
// success, the end of the program when the exit preference asks for it.
class CDialogOperations {
public:
    CDialogOperations(const EngineServices& services, IMainWindow& window, IMessageBox& messages)
        : m_services(services), m_window(window), m_messages(messages)
    {
    }

    ExitCode Apply(const ApplyInputs& inputs);
    // A run that began leaves the dialog showing the settings it left.
    ExitCode Auto();

private:
    EngineServices WithProgress(IProgress& progress) const;
    void Tell(const Outcome& outcome);

    EngineServices m_services;
    IMainWindow& m_window;
    IMessageBox& m_messages;
};

#pragma once

#include "engine/ApplyConfiguration.h"
#include "engine/EngineServices.h"
#include "engine/ExitCode.h"
#include "engine/OperationService.h"
#include "platform/MessageBox.h"
#include "ui/MainWindow.h"

#include <optional>

// The long operations as the main dialog runs them: it is disabled and
// hidden while the progress display is open, and enabled, shown and focused
// once it has closed; then come the outcome's message boxes and, after a
// success, the end of the program when the exit preference asks for it.
class CDialogOperations {
public:
    // With a service, automatic configuration and applying what is saved
    // go through it.
    CDialogOperations(const EngineServices& services, IMainWindow& window, IMessageBox& messages,
                      IOperationService* pService = nullptr)
        : m_services(services), m_window(window), m_messages(messages), m_pService(pService)
    {
    }

    // In this process.
    ExitCode Apply(const ApplyInputs& inputs);
    // Through the service: the saved configuration for the inputs'
    // connection whose settings equal them. None, and nothing done, when no
    // saved one does: only this process can apply those settings.
    std::optional<ExitCode> ApplySaved(const ApplyInputs& inputs);
    // A run that began leaves the dialog showing the settings it left.
    ExitCode Auto();

private:
    EngineServices WithProgress(IProgress& progress) const;
    // Tells the outcome of an apply; then ends the program if the exit
    // preference asks for that.
    ExitCode Applied(const Outcome& outcome);
    void Tell(const Outcome& outcome);

    EngineServices m_services;
    IMainWindow& m_window;
    IMessageBox& m_messages;
    IOperationService* m_pService;
};

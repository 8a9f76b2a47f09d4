#include "ui/StartupActions.h"

#include "platform/MessageBox.h"
#include "platform/StartupRegistration.h"

ExitCode RegisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages, bool bAutomatic)
{
    if (!startup.Register(bAutomatic ? "/auto" : "")) {
        messages.Show("Registration Failed.", mb::kOk | mb::kIconError);
        return ExitCode::DidNotWork;
    }
    messages.Show(bAutomatic ? "Tolvi(Automatic Configuration mode) was registered in startup program successfully."
                             : "Tolvi(Standard UI mode) was registered in startup program successfully.",
                  mb::kOk | mb::kIconInformation);
    return ExitCode::Done;
}

ExitCode UnregisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages)
{
    switch (startup.Unregister()) {
    case UnregisterResult::Done:
        messages.Show("Tolvi was unregistered in startup program successfully.", mb::kOk | mb::kIconInformation);
        return ExitCode::Done;
    case UnregisterResult::NotRegistered:
        messages.Show("Tolvi was never registered in startup program.", mb::kOk | mb::kIconError);
        return ExitCode::Done;
    case UnregisterResult::Failed:
        break;
    }
    messages.Show("Unregistration Failed.", mb::kOk | mb::kIconError);
    return ExitCode::DidNotWork;
}

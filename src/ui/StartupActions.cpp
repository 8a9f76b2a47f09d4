#include "ui/StartupActions.h"

#include "platform/MessageBox.h"
#include "platform/StartupRegistration.h"

namespace {

// The switch the task starts the program with, and what the user is told.
struct Registration {
    const char* pszArguments;
    const char* pszRegistered;
};

Registration RegistrationOf(StartupMode mode)
{
    switch (mode) {
    case StartupMode::Automatic:
        return {"/auto", "Tolvi(Automatic Configuration mode) was registered in startup program successfully."};
    case StartupMode::Tray:
        return {"/tray", "Tolvi(Tray mode) was registered in startup program successfully."};
    case StartupMode::Normal:
        break;
    }
    return {"", "Tolvi(Standard UI mode) was registered in startup program successfully."};
}

} // namespace

ExitCode RegisterAtLogOn(IStartupRegistration& startup, IMessageBox& messages, StartupMode mode)
{
    const Registration registration = RegistrationOf(mode);
    if (!startup.Register(registration.pszArguments)) {
        messages.Show("Registration Failed.", mb::kOk | mb::kIconError);
        return ExitCode::DidNotWork;
    }
    messages.Show(registration.pszRegistered, mb::kOk | mb::kIconInformation);
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

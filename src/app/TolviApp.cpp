#include "app/TolviApp.h"

#include "app/CommandRun.h"
#include "app/TolviService.h"
#include "app/Win32System.h"
#include "engine/RunRights.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"
#include "ui/TolviDlg.h"
#include "ui/tray/TolviTray.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <string_view>

namespace {

CTolviApp theApp;

// None when this process goes on with the work itself.
std::optional<ExitCode> TakeRightsStep(const Command& command, const TolviSystem& services,
                                       std::string_view commandLine)
{
    IElevation& elevation = services.elevation;
    switch (RightsStepFor(command, elevation.IsAdministrator(), elevation.ServiceInstalled())) {
    case RightsStep::Go:
        return std::nullopt;
    case RightsStep::RestartElevated:
        if (const auto code = elevation.RunElevated(std::string(ArgumentsText(commandLine)), true))
            return static_cast<ExitCode>(*code);
        services.messages.Show("Tolvi needs administrator rights to change network settings, and they were not "
                               "given. Nothing was changed.",
                               mb::kOk | mb::kIconError);
        return ExitCode::DidNotWork;
    case RightsStep::Refuse:
        break;
    }
    services.messages.Show(kNeedsAdministratorText, mb::kOk | mb::kIconError);
    return ExitCode::DidNotWork;
}

} // namespace

BOOL CTolviApp::InitInstance()
{
    // The address fields, the progress bar and the version 6 look.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    SetRegistryKey("Local AppWizard-Generated Applications");

    CWin32System system;
    // Wide, so that a name or a path outside the system's code page is read whole.
    const std::string commandLine = Utf8(::GetCommandLineW());
    const Command command = ParseCommandLine(commandLine);
    // The tray shows nothing that waits anyway; a main dialog opened from it
    // keeps its boxes.
    const TolviSystem services = system.Services(command.bQuiet && command.action != CommandAction::Tray);
    ExitCode code = ExitCode::Done;
    // A script's switch does its work without the main dialog; /auto runs
    // inside the dialog's initialisation, as it always has.
    if (const std::optional<ExitCode> step = TakeRightsStep(command, services, commandLine)) {
        code = *step;
    } else if (command.error.empty() &&
               (command.action == CommandAction::Normal || command.action == CommandAction::Auto)) {
        CTolviDlg dlg(services, command.action == CommandAction::Auto);
        dlg.DoModal();
        code = dlg.GetExitCode();
    } else if (command.error.empty() && command.action == CommandAction::Tray) {
        code = CTolviTray(services).Run();
    } else if (command.error.empty() && command.action == CommandAction::Service) {
        code = CTolviService(services).Run();
    } else {
        code = CCommandRun(services).Run(command);
    }
    SetExitCode(static_cast<int>(code));
    return FALSE;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL by its bare name.
    CSystemLibrary::RestrictSearch();
    return AfxWinMain();
}

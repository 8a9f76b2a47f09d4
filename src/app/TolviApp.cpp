#include "app/TolviApp.h"

#include "app/CommandRun.h"
#include "app/TolviService.h"
#include "app/Win32System.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WideText.h"
#include "ui/TolviDlg.h"
#include "ui/tray/TolviTray.h"

#include <windows.h>

#include <commctrl.h>

namespace {

CTolviApp theApp;

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
    const Command command = ParseCommandLine(Utf8(::GetCommandLineW()));
    // The tray shows nothing that waits anyway; a main dialog opened from it
    // keeps its boxes.
    const TolviSystem services = system.Services(command.bQuiet && command.action != CommandAction::Tray);
    ExitCode code = ExitCode::Done;
    // A script's switch does its work without the main dialog; /auto runs
    // inside the dialog's initialisation, as it always has.
    if (command.error.empty() && (command.action == CommandAction::Normal || command.action == CommandAction::Auto)) {
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

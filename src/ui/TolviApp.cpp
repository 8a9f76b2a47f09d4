#include "ui/TolviApp.h"

#include "platform/win32/SystemLibrary.h"
#include "ui/TolviDlg.h"
#include "ui/Win32System.h"

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
    CTolviDlg dlg(system.Services());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Before anything can load a DLL by its bare name.
    CSystemLibrary::RestrictSearch();
    return AfxWinMain();
}

#include "framework/WinApp.h"

namespace {

CWinApp* g_pApp = nullptr;

} // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

int AfxWinMain()
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_nThreadID = ::GetCurrentThreadId();
    // Nothing may escape into the system's start-up code.
    try {
        return pApp->InitInstance() ? pApp->Run() : pApp->ExitInstance();
    } catch (...) {
        return -1;
    }
}

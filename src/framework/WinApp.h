#pragma once

#include "framework/WinThread.h"
#include "framework/Wnd.h"

// The application: the process's one CWinApp object, built before the entry
// point runs, is the main thread's CWinThread. The entry point calls its
// InitInstance; FALSE ends the process without entering the message loop.
class CWinApp : public CWinThread {
public:
    CWinApp();
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }

    // Only names the framework's profile root; nothing is stored under it.
    void SetRegistryKey(const char* pszRegistryKey) { m_pszRegistryKey = pszRegistryKey; }

    const char* m_pszRegistryKey = nullptr;
};

// The application object, or nullptr when the program has none.
CWinApp* AfxGetApp();

// What the program's WinMain does: InitInstance, then the message loop or
// ExitInstance. Returns the process's exit code.
int AfxWinMain();

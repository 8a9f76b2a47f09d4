#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Support for the tests that drive real windows.

// Saves what the screen shows of the window as a 24-bit BMP in the build's
// screenshots folder (TOLVI_SCREENSHOTS), returning the file's path, or an
// empty string when it could not be saved. It paints what is pending first,
// handling this thread's messages for a moment.
std::string SaveWindowShot(HWND hWnd, const char* pszName);

// Polls every 10 ms, handling this thread's messages, until the condition
// holds or the time is up; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 5000);

// Waits, handling this thread's messages, for the thread to end.
struct ThreadEnd {
    bool ended = false;
    DWORD exitCode = 0;
};
ThreadEnd WaitForThread(HANDLE hThread, DWORD milliseconds = 5000);

// What a user's keys and clicks post: through the message loop, so that
// PreTranslateMessage and the dialog manager see them.
void PostKey(HWND hWnd, WPARAM key);
void Click(HWND hButton);

// The progress dialog the thread shows, or nullptr while there is none.
HWND FindProgressDialog(DWORD threadId);

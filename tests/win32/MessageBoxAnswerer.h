#pragma once

#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What one message box of this process showed, and how it was answered.
struct MessageBoxSeen {
    std::string title;
    std::string text;
    bool hasOk = false;
    bool hasCancel = false;
    bool hasYes = false;
    bool hasNo = false;
    bool hasIcon = false;
    HWND hOwner = nullptr;
    // Whether the owner took input while the box showed.
    bool bOwnerEnabled = false;
    // The button pressed; another one than asked for when the box was not the
    // one expected or the asked button did not close it.
    int nPressed = 0;
    bool bExpected = true;
};

// Answers the message boxes this process shows, from a thread of its own, so
// that a test can call MessageBox on its own thread. Every wait has a time
// limit: a box that never comes ends the answering, and a box that does not
// close when answered is closed with another of its buttons.
class CMessageBoxAnswerer {
public:
    struct Answer {
        int nButton;
        // When set, only a box whose text contains it; another box is closed
        // with one of its buttons and the answer waits for the next box.
        std::string textPart = {};
    };

    explicit CMessageBoxAnswerer(std::initializer_list<Answer> answers, DWORD msPerBox = 5000);
    ~CMessageBoxAnswerer();
    CMessageBoxAnswerer(const CMessageBoxAnswerer&) = delete;
    CMessageBoxAnswerer& operator=(const CMessageBoxAnswerer&) = delete;

    // Every box seen so far, in order; each is recorded before it is answered.
    std::vector<MessageBoxSeen> Seen() const;

private:
    void Run();
    HWND WaitForBox() const;
    bool WaitUntilGone(HWND hBox) const;

    const std::vector<Answer> m_answers;
    const DWORD m_msPerBox;
    std::atomic<bool> m_bStop{false};
    mutable std::mutex m_mutex;
    std::vector<MessageBoxSeen> m_seen;
    std::thread m_thread;
};

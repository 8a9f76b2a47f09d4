#pragma once

// What the long operations do to the main dialog around their work.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    virtual void Enable(bool bEnable) = 0;
    virtual void Show(bool bShow) = 0;
    virtual void Focus() = 0;
    // Ends the dialog as its OK command does, which ends the program.
    virtual void EndAsOk() = 0;
    // Shows the selected connection's current settings again and refills the
    // configuration box.
    virtual void RefreshSettings() = 0;
};

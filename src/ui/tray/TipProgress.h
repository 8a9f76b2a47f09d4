#pragma once

#include "engine/Progress.h"
#include "ui/tray/TrayIcon.h"

#include <string>

// Shows what an automatic run is doing in the icon's tip rather than in a
// window that would take the focus from whatever the user is doing.
class CTipProgress final : public IProgress {
public:
    explicit CTipProgress(CTrayIcon& icon) : m_icon(icon) {}
    void Start() override {}
    void SetCaption(const char*) override {}
    void SetText(const char* pszText) override { m_icon.SetTip(std::string("Tolvi - ") + pszText); }
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void Close() override {}

private:
    CTrayIcon& m_icon;
};

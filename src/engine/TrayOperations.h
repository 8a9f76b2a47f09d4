#pragma once

#include "config/ConfigList.h"
#include "engine/EngineServices.h"
#include "engine/MainWindow.h"
#include "engine/Progress.h"
#include "net/Connections.h"
#include "net/EchoProbe.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the tray shows of an outcome instead of a message box.
struct Notice {
    std::string text;
    unsigned icon = mb::kIconInformation; // a message box icon flag
};

// The operations the tray runs, on the configurations and connections read
// for them. What would have been message boxes becomes one notice, and no
// main window is hidden, shown or ended.
class CTrayOperations final : private IMainWindow, private IMessageBox {
public:
    CTrayOperations(CConfigList& configs, IConnections& connections, IEchoProbe& probe, IProgress& progress,
                    IClock& clock);
    CTrayOperations(const CTrayOperations&) = delete;
    CTrayOperations& operator=(const CTrayOperations&) = delete;

    // A configuration chosen from the menu: how it went, always.
    Notice Apply(const std::string& name);
    // Automatic configuration. Unless the user asked for it, working
    // settings that were already in force are not worth a notice.
    std::optional<Notice> Auto(bool bAsked);

private:
    EngineServices Services();
    // The collected messages as one notice; none when there were none.
    std::optional<Notice> Collected() const;

    int Show(const char* pszText, unsigned flags) override;
    void Enable(bool) override {}
    void Show(bool) override {}
    void Focus() override {}
    // Tray mode stays, whatever the exit preferences say.
    void EndAsOk() override {}
    void RefreshSettings() override {}

    CConfigList& m_configs;
    IConnections& m_connections;
    IEchoProbe& m_probe;
    IProgress& m_progress;
    IClock& m_clock;
    std::vector<std::pair<std::string, unsigned>> m_messages;
};

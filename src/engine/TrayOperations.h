#pragma once

#include "engine/EngineServices.h"
#include "engine/OperationService.h"
#include "engine/Outcome.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string>

// What the tray shows of an outcome instead of a message box.
struct Notice {
    std::string text;
    unsigned icon = mb::kIconInformation; // a message box icon flag
};

// The operations the tray runs, on the configurations and connections read
// for them, each outcome made one notice. Tray mode stays, whatever the exit
// preferences say.
class CTrayOperations final {
public:
    // With a service, the operations go through it.
    explicit CTrayOperations(const EngineServices& services, IOperationService* pService = nullptr)
        : m_services(services), m_pService(pService)
    {
    }

    // A configuration chosen from the menu: how it went, always.
    Notice Apply(const std::string& name);
    // Automatic configuration. Unless the user asked for it, working
    // settings that were already in force are not worth a notice.
    std::optional<Notice> Auto(bool bAsked);

private:
    EngineServices m_services;
    IOperationService* m_pService;
};

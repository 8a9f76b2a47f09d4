#include "engine/TrayOperations.h"

#include "config/FieldText.h"
#include "engine/ApplyConfiguration.h"
#include "engine/AutoConfiguration.h"

CTrayOperations::CTrayOperations(CConfigList& configs, IConnections& connections, IEchoProbe& probe,
                                 IProgress& progress, IClock& clock)
    : m_configs(configs), m_connections(connections), m_probe(probe), m_progress(progress), m_clock(clock)
{
}

Notice CTrayOperations::Apply(const std::string& name)
{
    m_messages.clear();
    if (ApplyNamedConfiguration(Services(), name) != ExitCode::Done || !m_messages.empty())
        return Collected().value_or(Notice{});
    return {AppliedText(*m_configs.Find(name.c_str()))};
}

std::optional<Notice> CTrayOperations::Auto(bool bAsked)
{
    m_messages.clear();
    CAutoConfiguration automatic(Services());
    if (automatic.Run() != ExitCode::Done || !m_messages.empty())
        return Collected();
    if (const CONFIGURATION* pFound = automatic.Found())
        return Notice{"Configuration '" + std::string(FieldText(pFound->szName, kNameSize)) + "' works on \"" +
                      std::string(FieldText(pFound->szConnection, kConnectionSize)) + "\"."};
    if (!bAsked)
        return std::nullopt;
    return Notice{"The current settings work: nothing was changed."};
}

EngineServices CTrayOperations::Services()
{
    return {m_configs, m_connections, m_probe, m_progress, *this, *this, m_clock};
}

std::optional<Notice> CTrayOperations::Collected() const
{
    if (m_messages.empty())
        return std::nullopt;
    Notice notice{{}, mb::kIconInformation};
    for (const auto& [text, flags] : m_messages) {
        notice.text += notice.text.empty() ? text : "\n" + text;
        // An error outweighs a warning, and a warning anything else.
        const unsigned icon = flags & 0xF0;
        if (icon == mb::kIconError || notice.icon == mb::kIconError)
            notice.icon = mb::kIconError;
        else if (icon == mb::kIconWarning)
            notice.icon = mb::kIconWarning;
    }
    return notice;
}

int CTrayOperations::Show(const char* pszText, unsigned flags)
{
    m_messages.emplace_back(pszText, flags);
    return mb::kIdOk;
}

#include "engine/TrayOperations.h"

#include "config/FieldText.h"
#include "engine/ApplyConfiguration.h"
#include "engine/AutoConfiguration.h"

namespace {

// The messages as one notice; none when there were none.
std::optional<Notice> Collected(const Outcome& outcome)
{
    if (outcome.messages.empty())
        return std::nullopt;
    Notice notice{{}, mb::kIconInformation};
    for (const OutcomeMessage& message : outcome.messages) {
        notice.text += notice.text.empty() ? message.text : "\n" + message.text;
        // An error outweighs a warning, and a warning anything else.
        if (message.icon == mb::kIconError || notice.icon == mb::kIconError)
            notice.icon = mb::kIconError;
        else if (message.icon == mb::kIconWarning)
            notice.icon = mb::kIconWarning;
    }
    return notice;
}

std::string ConnectionOf(const CONFIGURATION& config)
{
    return std::string(FieldText(config.szConnection, kConnectionSize));
}

} // namespace

Notice CTrayOperations::Apply(const std::string& name)
{
    const Outcome outcome =
        m_pService ? m_pService->Apply(name, m_services.progress) : ApplyNamedConfiguration(m_services, name);
    if (outcome.code != ExitCode::Done || !outcome.messages.empty() || !outcome.pFound)
        return Collected(outcome).value_or(Notice{});
    return {AppliedText(*outcome.pFound)};
}

std::optional<Notice> CTrayOperations::Auto(bool bAsked)
{
    const Outcome outcome = m_pService ? m_pService->Auto(m_services.progress) : CAutoConfiguration(m_services).Run();
    if (outcome.code != ExitCode::Done || !outcome.messages.empty())
        return Collected(outcome);
    if (const CONFIGURATION* pFound = outcome.pFound)
        return Notice{"Configuration '" + std::string(FieldText(pFound->szName, kNameSize)) + "' works on \"" +
                      ConnectionOf(*pFound) + "\"."};
    if (!bAsked)
        return std::nullopt;
    return Notice{"The current settings work: nothing was changed."};
}

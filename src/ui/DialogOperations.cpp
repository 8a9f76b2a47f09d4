#include "ui/DialogOperations.h"

#include "engine/AutoConfiguration.h"

namespace {

// The progress display, with the main dialog out of its way while it is open.
class CWindowedProgress final : public IProgress {
public:
    CWindowedProgress(IProgress& progress, IMainWindow& window) : m_progress(progress), m_window(window) {}

    void Start() override
    {
        m_window.Enable(false);
        m_window.Show(false);
        m_progress.Start();
    }
    void SetCaption(const char* pszText) override { m_progress.SetCaption(pszText); }
    void SetText(const char* pszText) override { m_progress.SetText(pszText); }
    void SetRange(int nLower, int nUpper) override { m_progress.SetRange(nLower, nUpper); }
    void SetPos(int nPos) override { m_progress.SetPos(nPos); }
    void Close() override
    {
        m_progress.Close();
        m_window.Enable(true);
        m_window.Show(true);
        m_window.Focus();
    }

private:
    IProgress& m_progress;
    IMainWindow& m_window;
};

} // namespace

ExitCode CDialogOperations::Apply(const ApplyInputs& inputs)
{
    CWindowedProgress progress(m_services.progress, m_window);
    return Applied(CApplyConfiguration(WithProgress(progress)).Run(inputs));
}

std::optional<ExitCode> CDialogOperations::ApplySaved(const ApplyInputs& inputs)
{
    IConnections& connections = m_services.connections;
    const unsigned nConnection = static_cast<unsigned>(inputs.nConnection);
    const char* pszConnection = inputs.nConnection >= 0 && nConnection < connections.GetAdapterCount()
                                    ? connections.GetConnectionName(nConnection)
                                    : nullptr;
    const CONFIGURATION* pSaved =
        pszConnection ? m_services.configs.FindIdentical(pszConnection, inputs.settings) : nullptr;
    if (!pSaved || !m_pService)
        return std::nullopt;
    CWindowedProgress progress(m_services.progress, m_window);
    return Applied(m_pService->Apply(pSaved->szName, progress));
}

ExitCode CDialogOperations::Applied(const Outcome& outcome)
{
    Tell(outcome);
    if (outcome.code == ExitCode::Done && m_services.configs.GetPreferences().bExitAfterApply != 0)
        m_window.EndAsOk();
    return outcome.code;
}

ExitCode CDialogOperations::Auto()
{
    CWindowedProgress progress(m_services.progress, m_window);
    const Outcome outcome = m_pService ? m_pService->Auto(progress) : CAutoConfiguration(WithProgress(progress)).Run();
    Tell(outcome);
    if (outcome.code == ExitCode::Done && m_services.configs.GetPreferences().bExitAfterAuto != 0)
        m_window.EndAsOk();
    if (outcome.bStarted)
        m_window.RefreshSettings();
    return outcome.code;
}

EngineServices CDialogOperations::WithProgress(IProgress& progress) const
{
    return {m_services.configs, m_services.connections, m_services.probe, progress, m_services.clock};
}

void CDialogOperations::Tell(const Outcome& outcome)
{
    for (const OutcomeMessage& message : outcome.messages)
        m_messages.Show(message.text.c_str(), mb::kOk | message.icon);
}

#include "engine/RecordingEngine.h"

#include <gtest/gtest.h>

std::string Dotted(std::uint32_t dwAddress)
{
    return std::to_string(dwAddress & 0xFFu) + "." + std::to_string((dwAddress >> 8) & 0xFFu) + "." +
           std::to_string((dwAddress >> 16) & 0xFFu) + "." + std::to_string(dwAddress >> 24);
}

unsigned CRecordingConnections::GetAdapterCount() const
{
    return static_cast<unsigned>(names.size());
}

bool CRecordingConnections::IsConnection(unsigned i, const char* pszAsker) const
{
    if (i < names.size())
        return true;
    ADD_FAILURE() << pszAsker << " for connection " << i << " of " << names.size();
    return false;
}

const char* CRecordingConnections::GetConnectionName(unsigned i) const
{
    if (!IsConnection(i, "GetConnectionName") || !names[i])
        return nullptr;
    return names[i]->c_str();
}

ConnectionSettings& CRecordingConnections::At(unsigned i)
{
    // Tests may name more connections after construction.
    if (inForce.size() < names.size())
        inForce.resize(names.size());
    return inForce[i];
}

bool CRecordingConnections::Takes(const std::string& entry, NetshRuns& runs)
{
    m_journal.Add(entry);
    for (const std::string& text : refused)
        if (entry.find(text) != std::string::npos) {
            runs.push_back({entry, true, 1, "refused: " + entry + "\r\n"});
            return false;
        }
    for (const std::string& text : hung)
        if (entry.find(text) != std::string::npos) {
            runs.push_back({entry, true, 1, {}, true});
            return false;
        }
    runs.push_back({entry, true, 0, {}});
    return true;
}

NetshRuns CRecordingConnections::SetAddress(unsigned i, const ConnectionSettings& settings)
{
    ConnectionSettings asked;
    if (!settings.bDhcpAddress && !settings.ipAddress.IsNone())
        asked = settings;
    const std::string entry = "address " + std::to_string(i) + " " + Dotted(asked.ipAddress.Value()) + " " +
                              Dotted(asked.subnetMask.Value()) + " " + Dotted(asked.gateway.Value());
    NetshRuns runs;
    if (Takes(entry, runs) && IsConnection(i, "SetAddress")) {
        m_addressInForce = entry;
        asked.bDhcpDns = At(i).bDhcpDns;
        asked.dns = At(i).dns;
        At(i) = asked;
    }
    return runs;
}

AddressState CRecordingConnections::StateOf(unsigned, Ipv4Addr address)
{
    if (states.empty())
        return AddressState::Absent;
    const AddressState state = states.front();
    states.erase(states.begin());
    const char* kNames[] = {"absent", "tentative", "duplicate", "usable"};
    m_journal.Add("state " + Dotted(address.Value()) + " " + kNames[static_cast<int>(state)]);
    return state;
}

NetshRuns CRecordingConnections::SetDns(unsigned i, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3)
{
    const std::string entry = "dns " + std::to_string(i) + " " + Dotted(dns1.Value()) + " " + Dotted(dns2.Value()) +
                              " " + Dotted(dns3.Value());
    NetshRuns runs;
    if (Takes(entry, runs) && IsConnection(i, "SetDns")) {
        ConnectionSettings& now = At(i);
        now.bDhcpDns = dns1.IsNone();
        now.dns = {dns1, dns1.IsNone() ? Ipv4Addr() : dns2, dns1.IsNone() || dns2.IsNone() ? Ipv4Addr() : dns3};
    }
    return runs;
}

ConnectionSettings CRecordingConnections::GetSettingsInForce(unsigned i)
{
    return IsConnection(i, "GetSettingsInForce") ? At(i) : ConnectionSettings{};
}

int CRecordingProbe::Ping(Ipv4Addr host)
{
    m_journal.Add("ping " + host.Dotted());
    const std::string& applied = m_connections.AddressInForce();
    const bool bAnswers = applied.empty() ? bCurrentWorks : workingAddresses.count(applied) != 0;
    return bAnswers ? nAnswer : 0;
}

void CRecordingProgress::Add(const char* pszWhat, const std::string& entry)
{
    if (!m_bOpen)
        ADD_FAILURE() << pszWhat << " while the progress display is not open";
    m_journal.Add(entry);
}

void CRecordingProgress::Start()
{
    if (m_bOpen)
        ADD_FAILURE() << "progress started while open";
    m_bOpen = true;
    m_journal.Add("progress start");
}

void CRecordingProgress::SetCaption(const char* pszText)
{
    Add("SetCaption", std::string("caption ") + pszText);
}

void CRecordingProgress::SetText(const char* pszText)
{
    Add("SetText", std::string("text ") + pszText);
}

void CRecordingProgress::SetRange(int nLower, int nUpper)
{
    Add("SetRange", "range " + std::to_string(nLower) + " " + std::to_string(nUpper));
}

void CRecordingProgress::SetPos(int nPos)
{
    Add("SetPos", "pos " + std::to_string(nPos));
}

void CRecordingProgress::Close()
{
    Add("Close", "progress close");
    m_bOpen = false;
}

std::string CUntouchedFileSystem::ExecutableDirectory()
{
    ADD_FAILURE() << "the file system was asked for the executable's folder";
    return {};
}

FileReadResult CUntouchedFileSystem::Read(const std::string& path, std::vector<std::uint8_t>&)
{
    ADD_FAILURE() << "read " << path;
    return FileReadResult::Missing;
}

std::unique_ptr<IWritableFile> CUntouchedFileSystem::Create(const std::string& path)
{
    ADD_FAILURE() << "created " << path;
    return nullptr;
}

bool CUntouchedFileSystem::Replace(const std::string& from, const std::string& to)
{
    ADD_FAILURE() << "replaced " << to << " by " << from;
    return false;
}

bool CUntouchedFileSystem::Remove(const std::string& path)
{
    ADD_FAILURE() << "removed " << path;
    return false;
}

std::vector<std::string> RecordingEngine::Only(std::initializer_list<const char*> words) const
{
    std::vector<std::string> entries;
    for (const std::string& entry : journal.Entries())
        for (const char* pszWord : words)
            if (entry.rfind(std::string(pszWord) + " ", 0) == 0 || entry == pszWord) {
                entries.push_back(entry);
                break;
            }
    return entries;
}

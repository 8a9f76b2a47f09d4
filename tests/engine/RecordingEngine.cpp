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

bool CRecordingConnections::SetAddress(unsigned i, std::uint32_t dwAddress, std::uint32_t dwMask,
                                       std::uint32_t dwGateway)
{
    m_addressInForce =
        "address " + std::to_string(i) + " " + Dotted(dwAddress) + " " + Dotted(dwMask) + " " + Dotted(dwGateway);
    m_journal.Add(m_addressInForce);
    return IsConnection(i, "SetAddress");
}

bool CRecordingConnections::SetDns(unsigned i, std::uint32_t dwDns1, std::uint32_t dwDns2, std::uint32_t dwDns3)
{
    m_journal.Add("dns " + std::to_string(i) + " " + Dotted(dwDns1) + " " + Dotted(dwDns2) + " " + Dotted(dwDns3));
    return IsConnection(i, "SetDns");
}

int CRecordingProbe::Ping(const char* pszHost)
{
    m_journal.Add(std::string("ping ") + pszHost);
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

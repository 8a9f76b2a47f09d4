#pragma once

#include "config/ConfigList.h"
#include "engine/EngineServices.h"
#include "engine/Progress.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/Journal.h"
#include "fakes/Latin1CodePage.h"
#include "net/Connections.h"
#include "net/EchoProbe.h"
#include "platform/FileSystem.h"
#include "ui/DialogOperations.h"
#include "ui/MainWindow.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// The dotted text of an address value, written out here rather than taken
// from the code under test.
std::string Dotted(std::uint32_t dwAddress);

// The connections named by the test. Commands are journaled with the dotted
// texts of the first address, mask and gateway, zeros included, and DHCP as
// zeros; the further ones take without a word:
//   "address 1 198.18.1.10 255.255.255.0 198.18.1.1"
//   "dns 1 198.18.0.53 0.0.0.0 0.0.0.0"
// A command takes, as the read-back then shows, unless its entry holds one of
// the texts in `refused`: then nothing changes and the run prints a line.
// An index that names no connection fails the test.
class CRecordingConnections final : public IConnections {
public:
    // nullopt: an adapter without a connection name.
    using Names = std::vector<std::optional<std::string>>;

    CRecordingConnections(CJournal& journal, Names connectionNames)
        : names(std::move(connectionNames)), inForce(names.size()), m_journal(journal)
    {
    }

    Names names;
    std::vector<ConnectionSettings> inForce; // by connection; DHCP at first
    std::vector<std::string> refused;
    std::vector<std::string> hung; // as refused, and netsh had to be ended
    // Answers to StateOf, one each, journalled as "state 198.18.1.10 tentative";
    // then absent, unjournalled.
    std::vector<AddressState> states;

    unsigned GetAdapterCount() const override;
    const char* GetConnectionName(unsigned i) const override;
    NetshRuns SetAddress(unsigned i, const ConnectionSettings& settings) override;
    NetshRuns SetDns(unsigned i, Ipv4Addr dns1, Ipv4Addr dns2, Ipv4Addr dns3) override;
    ConnectionSettings GetSettingsInForce(unsigned i) override;
    AddressState StateOf(unsigned i, Ipv4Addr address) override;

    // The journal entry of the last address command that took; empty before any.
    const std::string& AddressInForce() const { return m_addressInForce; }

private:
    bool IsConnection(unsigned i, const char* pszAsker) const;
    // Journals the entry; false when netsh refuses it.
    bool Takes(const std::string& entry, NetshRuns& runs);
    ConnectionSettings& At(unsigned i);

    CJournal& m_journal;
    std::string m_addressInForce;
};

// Journals "ping <host>". Answers while one of the address commands it was
// told of is the last one run, or, before any ran, when the current settings
// work.
class CRecordingProbe final : public IEchoProbe {
public:
    CRecordingProbe(CJournal& journal, const CRecordingConnections& connections)
        : m_journal(journal), m_connections(connections)
    {
    }

    bool bCurrentWorks = false;
    std::set<std::string> workingAddresses; // entries as the connections journal them
    int nAnswer = 1;                        // what an answer returns

    int Ping(Ipv4Addr host) override;

private:
    CJournal& m_journal;
    const CRecordingConnections& m_connections;
};

// Journals "progress start", "caption <text>", "text <text>", "range 0 2",
// "pos 1", "progress close". Anything sent while it is not open fails the
// test, and so does a start while it is.
class CRecordingProgress final : public IProgress {
public:
    explicit CRecordingProgress(CJournal& journal) : m_journal(journal) {}

    void Start() override;
    void SetCaption(const char* pszText) override;
    void SetText(const char* pszText) override;
    void SetRange(int nLower, int nUpper) override;
    void SetPos(int nPos) override;
    void Close() override;

private:
    void Add(const char* pszWhat, const std::string& entry);

    CJournal& m_journal;
    bool m_bOpen = false;
};

// Journals "disable", "enable", "hide", "show", "focus", "end ok", "refresh".
class CRecordingWindow final : public IMainWindow {
public:
    explicit CRecordingWindow(CJournal& journal) : m_journal(journal) {}

    void Enable(bool bEnable) override { m_journal.Add(bEnable ? "enable" : "disable"); }
    void Show(bool bShow) override { m_journal.Add(bShow ? "show" : "hide"); }
    void Focus() override { m_journal.Add("focus"); }
    void EndAsOk() override { m_journal.Add("end ok"); }
    void RefreshSettings() override { m_journal.Add("refresh"); }

private:
    CJournal& m_journal;
};

// The engine never loads or saves: any use fails the test.
class CUntouchedFileSystem final : public IFileSystem {
public:
    std::string ExecutableDirectory() override;
    std::string ProgramPath() override { return ExecutableDirectory(); }
    std::string ProgramFilesDirectory() override { return ExecutableDirectory(); }
    FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) override;
    std::unique_ptr<IWritableFile> Create(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateFolder(const std::string& path) override { return Create(path) != nullptr; }
};

// Every service of the engine, recording into one journal.
struct RecordingEngine {
    explicit RecordingEngine(CRecordingConnections::Names names = {"Local Area Network"})
        : connections(journal, std::move(names))
    {
    }

    EngineServices Services() { return {configs, connections, probe, progress, clock}; }
    // The operations as the main dialog runs them, on the recording window
    // and message boxes.
    CDialogOperations Dialog() { return {Services(), window, messages}; }
    // The journal's entries that start with one of the words, in order.
    std::vector<std::string> Only(std::initializer_list<const char*> words) const;

    CJournal journal;
    CUntouchedFileSystem fileSystem;
    CLatin1CodePage codePage;
    CConfigList configs{fileSystem, codePage};
    CRecordingConnections connections;
    CRecordingProbe probe{journal, connections};
    CRecordingProgress progress{journal};
    CRecordingWindow window{journal};
    CFakeMessageBox messages{&journal};
    CFakeClock clock{&journal};
};

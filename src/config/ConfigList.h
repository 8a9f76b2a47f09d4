#pragma once

#include "config/Configuration.h"
#include "config/ConnectionSettings.h"
#include "config/RecordPool.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IClock;
class ICodePage;
class IFileSystem;

// Results of the list operations.
enum : int {
    CONFIG_DONE = 0,
    CONFIG_NAME_EXISTS = 1,
    CONFIG_NAME_NOT_FOUND = 2,
};

enum class LoadResult {
    Loaded,     // the file was sound
    Missing,    // no file: defaults
    Unopenable, // a file that cannot be read (held by another program, denied): defaults, never written
    Unusable,   // wrong version word or too short for the preferences: defaults
    // Cut short, duplicate names, texts without terminator, a wrong checksum,
    // a list's count beyond its places: what could be read was kept.
    Damaged,
};

enum class SaveResult {
    Unchanged, // the file already held this content and was not touched
    Written,
    Failed, // the file on disk is as it was before
    Kept,   // the file could not be read at start: it was left as it is, unread content and all
    // Another program changed the file since it was loaded (an /import by a
    // script): it was left as it is, and only an overwrite replaces it.
    ChangedOnDisk,
};

enum class SaveMode {
    KeepOthersChanges,
    Overwrite, // what this list holds wins over a change made on disk since
};

// The preferences and the ordered list of configurations, texts in UTF-8.
// Texts longer than their field are cut before the first character that
// does not fit whole, consistently for every operation, so a long name finds
// what adding it stored.
class CConfigList {
public:
    static constexpr const char* kFileName = "Tolvi.cfg";

    // The code page is the one Tolvi.cfg's version 1 holds its texts in.
    CConfigList(IFileSystem& fileSystem, const ICodePage& codePage);
    CConfigList(IFileSystem&, const ICodePage&&) = delete; // it is kept by reference
    ~CConfigList();
    CConfigList(const CConfigList&) = delete;
    CConfigList& operator=(const CConfigList&) = delete;

    PREFERENCES& GetPreferences() { return m_preferences; }
    const PREFERENCES& GetPreferences() const { return m_preferences; }
    CONFIGURATION* GetHead() const { return m_pHead; }

    // The configurations in list order, for a range-for.
    class ConstIterator {
    public:
        using value_type = CONFIGURATION;
        using difference_type = std::ptrdiff_t;

        ConstIterator() = default;
        explicit ConstIterator(const CONFIGURATION* pConfig) : m_pConfig(pConfig) {}
        const CONFIGURATION& operator*() const { return *m_pConfig; }
        const CONFIGURATION* operator->() const { return m_pConfig; }
        ConstIterator& operator++()
        {
            m_pConfig = m_pConfig->pNext;
            return *this;
        }
        ConstIterator operator++(int)
        {
            const ConstIterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(ConstIterator, ConstIterator) = default;

    private:
        const CONFIGURATION* m_pConfig = nullptr;
    };
    ConstIterator begin() const { return ConstIterator(m_pHead); }
    ConstIterator end() const { return ConstIterator(); }
    std::size_t GetCount() const { return m_index.size(); }

    CONFIGURATION* Find(const char* pszName) const;
    // The first configuration of the connection whose settings are identical.
    CONFIGURATION* FindIdentical(const char* pszConnection, const ConnectionSettings& settings) const;
    int Add(const char* pszName, const char* pszConnection, const ConnectionSettings& settings);
    // A new last record of the name and connection, settings all zero, for
    // readers of stored records that keep their fields as stored; nullptr
    // when the name is taken. The texts need not be terminated.
    CONFIGURATION* Append(std::string_view name, std::string_view connection);
    // Room for this many configurations in all, before they are added.
    void Reserve(std::size_t nCount);
    int Remove(const char* pszName);
    int Rename(const char* pszOldName, const char* pszNewName);
    int Swap(const char* pszNameA, const char* pszNameB);

    // Without a path these use Tolvi.cfg beside the executable. Given a
    // clock, a file that cannot be read is tried again for about two
    // seconds: a scanner, a backup or a second Tolvi may hold it a moment.
    LoadResult Load(IClock& clock);
    LoadResult Load(const std::string& path, IClock* pClock = nullptr);
    [[nodiscard]] SaveResult Save(SaveMode mode = SaveMode::KeepOthersChanges);
    [[nodiscard]] SaveResult Save(const std::string& path, SaveMode mode = SaveMode::KeepOthersChanges);

    void SetDefaultPreferences();

private:
    std::string DefaultPath() const;
    void Link(CONFIGURATION* pConfig);
    void Unlink(CONFIGURATION* pConfig);

    IFileSystem& m_fileSystem;
    const ICodePage& m_codePage;
    PREFERENCES m_preferences{};
    CONFIGURATION* m_pHead = nullptr;
    CONFIGURATION* m_pTail = nullptr;
    CRecordPool m_pool;
    // Keys view the records' own szName fields: erase before a name changes.
    std::unordered_map<std::string_view, CONFIGURATION*> m_index;
    // The file that was loaded was damaged: keep its bytes before replacing it.
    bool m_bBackupBeforeReplace = false;
    // The file was there but could not be read: writing it would lose what
    // it holds.
    bool m_bKeepFile = false;
    // The file as it was loaded or last written, to tell another program's
    // change from this list's own; none before a load.
    std::optional<std::string> m_knownPath;
    std::optional<std::vector<std::uint8_t>> m_knownBytes; // none: there was no file
};

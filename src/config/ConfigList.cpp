#include "config/ConfigList.h"

#include "config/AtomicFile.h"
#include "config/ConfigFile.h"
#include "config/FieldText.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

#include <utility>
#include <vector>

namespace {

std::string_view NameOf(const char* pszName)
{
    return FieldText(pszName, kNameSize);
}

std::string_view NameOf(const CONFIGURATION& config)
{
    return FieldText(config.szName, kNameSize);
}

constexpr std::uint32_t kReadRetryMs = 2000;
constexpr std::uint32_t kReadRetryPauseMs = 100;

} // namespace

CConfigList::CConfigList(IFileSystem& fileSystem, const ICodePage& codePage)
    : m_fileSystem(fileSystem), m_codePage(codePage)
{
}

CConfigList::~CConfigList() = default;

void CConfigList::Reserve(std::size_t nCount)
{
    if (nCount <= m_index.size())
        return;
    m_index.reserve(nCount);
    m_pool.Reserve(nCount - m_index.size());
}

CONFIGURATION* CConfigList::Find(const char* pszName) const
{
    const auto it = m_index.find(NameOf(pszName));
    return it == m_index.end() ? nullptr : it->second;
}

CONFIGURATION* CConfigList::FindIdentical(const char* pszConnection, const ConnectionSettings& settings) const
{
    const std::string_view connection = FieldText(pszConnection, kConnectionSize);
    for (CONFIGURATION* p = m_pHead; p; p = p->pNext) {
        if (FieldText(p->szConnection, kConnectionSize) == connection && SettingsOf(*p) == settings)
            return p;
    }
    return nullptr;
}

int CConfigList::Add(const char* pszName, const char* pszConnection, const ConnectionSettings& settings)
{
    CONFIGURATION* p = Append(NameOf(pszName), FieldText(pszConnection, kConnectionSize));
    if (!p)
        return CONFIG_NAME_EXISTS;
    StoreSettings(*p, settings);
    return CONFIG_DONE;
}

CONFIGURATION* CConfigList::Append(std::string_view name, std::string_view connection)
{
    CONFIGURATION* p = m_pool.Allocate();
    CopyToField(p->szName, name);
    // One look-up: the index takes the new record unless the name is there.
    if (!m_index.emplace(NameOf(*p), p).second) {
        m_pool.Free(p);
        return nullptr;
    }
    CopyToField(p->szConnection, connection);
    StoreSettings(*p, ConnectionSettings{false, {}, {}, {}, false, {}, {}, {}});
    Link(p);
    return p;
}

int CConfigList::Remove(const char* pszName)
{
    CONFIGURATION* p = Find(pszName);
    if (!p)
        return CONFIG_NAME_NOT_FOUND;
    Unlink(p);
    m_pool.Free(p);
    return CONFIG_DONE;
}

int CConfigList::Rename(const char* pszOldName, const char* pszNewName)
{
    CONFIGURATION* p = Find(pszOldName);
    if (!p)
        return CONFIG_NAME_NOT_FOUND;
    if (Find(pszNewName))
        return CONFIG_NAME_EXISTS;
    m_index.erase(NameOf(*p));
    CopyToField(p->szName, NameOf(pszNewName));
    m_index.emplace(NameOf(*p), p);
    return CONFIG_DONE;
}

int CConfigList::Swap(const char* pszNameA, const char* pszNameB)
{
    CONFIGURATION* a = Find(pszNameA);
    CONFIGURATION* b = Find(pszNameB);
    if (!a || !b)
        return CONFIG_NAME_NOT_FOUND;
    if (a == b)
        return CONFIG_DONE;
    // The keys view the names about to change places.
    m_index.erase(NameOf(*a));
    m_index.erase(NameOf(*b));
    // The positions keep their links and exchange everything else; each
    // name moves with its own settings.
    std::swap(*a, *b);
    std::swap(a->pPrev, b->pPrev);
    std::swap(a->pNext, b->pNext);
    m_index.emplace(NameOf(*a), a);
    m_index.emplace(NameOf(*b), b);
    return CONFIG_DONE;
}

void CConfigList::Link(CONFIGURATION* p)
{
    p->pPrev = m_pTail;
    p->pNext = nullptr;
    if (m_pTail)
        m_pTail->pNext = p;
    else
        m_pHead = p;
    m_pTail = p;
}

void CConfigList::Unlink(CONFIGURATION* p)
{
    m_index.erase(NameOf(*p));
    (p->pPrev ? p->pPrev->pNext : m_pHead) = p->pNext;
    (p->pNext ? p->pNext->pPrev : m_pTail) = p->pPrev;
    p->pPrev = p->pNext = nullptr;
}

void CConfigList::SetDefaultPreferences()
{
    m_preferences = PREFERENCES{};
    m_preferences.dwTestAddress = kDefaultTestAddress;
    m_preferences.nDhcpWait = kDefaultDhcpWait;
}

std::string CConfigList::DefaultPath() const
{
    // Empty when the executable cannot be found: the working folder is no
    // stand-in for it.
    const std::string folder = m_fileSystem.ExecutableDirectory();
    return folder.empty() ? folder : folder + kFileName;
}

LoadResult CConfigList::Load(IClock& clock)
{
    return Load(DefaultPath(), &clock);
}

LoadResult CConfigList::Load(const std::string& path, IClock* pClock)
{
    std::vector<std::uint8_t> bytes;
    FileReadResult read = path.empty() ? FileReadResult::Missing : m_fileSystem.Read(path, bytes);
    if (pClock) {
        const std::uint32_t start = pClock->TickCount();
        while (read == FileReadResult::Unopenable && pClock->TickCount() - start < kReadRetryMs) {
            pClock->Sleep(kReadRetryPauseMs);
            read = m_fileSystem.Read(path, bytes);
        }
    }
    LoadResult result = LoadResult::Missing;
    switch (read) {
    case FileReadResult::Missing:
        result = LoadResult::Missing;
        break;
    case FileReadResult::Unopenable:
        result = LoadResult::Unopenable;
        break;
    case FileReadResult::Read:
    case FileReadResult::ReadOnly:
        result = DecodeConfigFile(bytes, m_codePage, *this);
        break;
    }
    if (result == LoadResult::Missing || result == LoadResult::Unopenable || result == LoadResult::Unusable)
        SetDefaultPreferences();
    m_bBackupBeforeReplace = result == LoadResult::Unusable || result == LoadResult::Damaged;
    m_bKeepFile = result == LoadResult::Unopenable;
    m_knownPath = path;
    m_knownBytes = read == FileReadResult::Missing ? std::nullopt : std::optional(std::move(bytes));
    return result;
}

SaveResult CConfigList::Save(SaveMode mode)
{
    return Save(DefaultPath(), mode);
}

SaveResult CConfigList::Save(const std::string& path, SaveMode mode)
{
    if (m_bKeepFile)
        return SaveResult::Kept;
    if (path.empty())
        return SaveResult::Failed;
    std::vector<std::uint8_t> old;
    const FileReadResult read = m_fileSystem.Read(path, old);
    const bool haveOld = read == FileReadResult::Read || read == FileReadResult::ReadOnly;
    if (haveOld && ConfigFileMatches(old, *this, m_codePage)) {
        if (m_knownPath == path)
            m_knownBytes = std::move(old);
        return SaveResult::Unchanged;
    }
    const bool bChangedOnDisk = m_knownPath == path && (haveOld ? !m_knownBytes || *m_knownBytes != old
                                                                : read == FileReadResult::Missing && m_knownBytes);
    if (bChangedOnDisk && mode == SaveMode::KeepOthersChanges)
        return SaveResult::ChangedOnDisk;
    // Read-only is how an administrator locks the configurations.
    if (read == FileReadResult::ReadOnly)
        return SaveResult::Failed;
    if (haveOld && m_bBackupBeforeReplace && !WriteFileAtomically(m_fileSystem, path + ".bak", old))
        return SaveResult::Failed;
    const std::vector<std::uint8_t> image = EncodeConfigFile(*this, m_codePage);
    if (!WriteFileAtomically(m_fileSystem, path, image))
        return SaveResult::Failed;
    // What was damaged is gone now; a later save must not overwrite its backup.
    m_bBackupBeforeReplace = false;
    m_knownPath = path;
    m_knownBytes = image;
    return SaveResult::Written;
}

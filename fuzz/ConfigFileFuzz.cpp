#include "FuzzCheck.h"
#include "config/ConfigFile.h"
#include "config/ConfigList.h"
#include "config/FieldText.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"

#include <cstdlib>
#include <cstring>

namespace {

// Terminated within its field, and UTF-8 as everything in memory.
bool Sound(const char* field, std::size_t size)
{
    return std::memchr(field, '\0', size) != nullptr && IsUtf8(FieldText(field, size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto fileSystem = std::make_unique<CSystemFileSystem>();
    static const CLatin1CodePage codePage;
    CConfigList list{*fileSystem, codePage};
    list.SetDefaultPreferences();
    const LoadResult result = DecodeConfigFile({data, size}, codePage, list);

    Check(Sound(list.GetPreferences().szDefaultConnection, kDefaultConnectionSize));
    std::size_t count = 0;
    for (const CONFIGURATION& config : list) {
        Check(Sound(config.szName, kNameSize) && Sound(config.szConnection, kConnectionSize));
        Check(list.Find(config.szName) == &config);
        ++count;
    }
    Check(count == list.GetCount());
    Check(count <= size / 1068);

    // A sound file is unchanged by loading; whatever was loaded writes a
    // sound file that loads back to the same content.
    if (result == LoadResult::Loaded)
        Check(ConfigFileMatches({data, size}, list, codePage));
    const auto image = EncodeConfigFile(list, codePage);
    Check(ConfigFileMatches(image, list, codePage));
    CConfigList again{*fileSystem, codePage};
    Check(DecodeConfigFile(image, codePage, again) == LoadResult::Loaded);
    Check(ConfigFileMatches(image, again, codePage));
    return 0;
}

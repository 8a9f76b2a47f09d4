#include "config/ConfigFile.h"
#include "config/ConfigList.h"
#include "platform/SystemFileSystem.h"

#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Terminated(const char* field, std::size_t size)
{
    return std::memchr(field, '\0', size) != nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto fileSystem = std::make_unique<CSystemFileSystem>();
    CConfigList list{*fileSystem};
    list.SetDefaultPreferences();
    const LoadResult result = DecodeConfigFile({data, size}, list);

    Check(Terminated(list.GetPreferences().szDefaultConnection, kDefaultConnectionSize));
    std::size_t count = 0;
    for (const CONFIGURATION& config : list) {
        Check(Terminated(config.szName, kNameSize) && Terminated(config.szConnection, kConnectionSize));
        Check(list.Find(config.szName) == &config);
        ++count;
    }
    Check(count == list.GetCount());
    Check(count <= size / 1068);

    // A sound file is unchanged by loading; whatever was loaded writes a
    // sound file that loads back to the same content.
    if (result == LoadResult::Loaded)
        Check(ConfigFileMatches({data, size}, list));
    const auto image = EncodeConfigFile(list);
    Check(ConfigFileMatches(image, list));
    CConfigList again{*fileSystem};
    Check(DecodeConfigFile(image, again) == LoadResult::Loaded);
    Check(ConfigFileMatches(image, again));
    return 0;
}

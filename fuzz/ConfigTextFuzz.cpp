#include "FuzzCheck.h"
#include "config/ConfigList.h"
#include "config/ConfigText.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"

#include <cstdlib>
#include <string>

namespace {

std::string Exported(const CConfigList& list)
{
    std::string text;
    Check(!WriteConfigText(list, text));
    return text;
}

} // namespace

// Importing any text is all or nothing, and what an import took exports,
// imports and exports again to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto fileSystem = std::make_unique<CSystemFileSystem>();
    static const CLatin1CodePage codePage;
    CConfigList list{*fileSystem, codePage};
    list.SetDefaultPreferences();
    ConnectionSettings office;
    office.ipAddress = Ipv4Addr::FromValue(0x1400010A);
    office.subnetMask = Ipv4Addr::FromValue(0x0000FFFF);
    Check(list.Add("Office", "Local Area Network", office) == CONFIG_DONE);
    const std::string before = Exported(list);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (ReadConfigText(text, list)) {
        Check(Exported(list) == before);
        return 0;
    }
    const std::string first = Exported(list);
    CConfigList again{*fileSystem, codePage};
    again.SetDefaultPreferences();
    Check(!ReadConfigText(first, again));
    Check(Exported(again) == first);
    return 0;
}

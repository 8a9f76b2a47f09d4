#include "config/ConfigText.h"
#include "config/ConfigList.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"

#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string Exported(const CConfigList& list, const ICodePage& codePage)
{
    std::string text;
    Check(!WriteConfigText(list, codePage, text));
    return text;
}

} // namespace

// Importing any text is all or nothing, and what an import took exports,
// imports and exports again to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto fileSystem = std::make_unique<CSystemFileSystem>();
    static const CLatin1CodePage codePage;
    CConfigList list{*fileSystem};
    list.SetDefaultPreferences();
    ConnectionSettings office;
    office.ipAddress = Ipv4Addr::FromValue(0x1400010A);
    office.subnetMask = Ipv4Addr::FromValue(0x0000FFFF);
    Check(list.Add("Office", "Local Area Network", office) == CONFIG_DONE);
    const std::string before = Exported(list, codePage);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (ReadConfigText(text, codePage, list)) {
        Check(Exported(list, codePage) == before);
        return 0;
    }
    const std::string first = Exported(list, codePage);
    CConfigList again{*fileSystem};
    again.SetDefaultPreferences();
    Check(!ReadConfigText(first, codePage, again));
    Check(Exported(again, codePage) == first);
    return 0;
}

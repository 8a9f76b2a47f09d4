#include "fakes/FakeAdapterList.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace {
// A record: "has a next record" byte, DHCP byte, the name up to its
// terminator, then the addresses, each ended by a semicolon.
constexpr std::size_t kNameOffset = 2;
constexpr std::size_t kNameSize = 260;
constexpr std::size_t kAddressesOffset = kNameOffset + kNameSize;
constexpr std::size_t kAddressesSize = CFakeAdapterList::kRecordSize - kAddressesOffset;
} // namespace

std::uint32_t CFakeAdapterList::Fill(void* pBuffer, std::uint32_t& size)
{
    sizesSeen.push_back(size);
    std::uint32_t result = failure;
    if (result == kSuccess && adapters.empty())
        result = kNoData;
    const auto needed = static_cast<std::uint32_t>(adapters.size()) * kRecordSize;
    if (result == kSuccess && size < needed) {
        size = needed;
        result = kBufferOverflow;
    }
    if (result == kSuccess) {
        auto* p = static_cast<std::uint8_t*>(pBuffer);
        std::memset(p, 0, needed);
        for (std::size_t i = 0; i < adapters.size(); ++i, p += kRecordSize) {
            p[0] = i + 1 < adapters.size() ? 1 : 0;
            p[1] = adapters[i].dhcpEnabled ? 1 : 0;
            std::memcpy(p + kNameOffset, adapters[i].name.data(), std::min(adapters[i].name.size(), kNameSize - 1));
            std::string addresses;
            for (const std::string& address : adapters[i].addresses)
                addresses += address + ';';
            std::memcpy(p + kAddressesOffset, addresses.data(), std::min(addresses.size(), kAddressesSize - 1));
        }
    }
    if (afterFill)
        afterFill(sizesSeen.size());
    return result;
}

std::vector<AdapterEntry> CFakeAdapterList::Entries(const void* pBuffer)
{
    std::vector<AdapterEntry> entries;
    for (auto* p = static_cast<const std::uint8_t*>(pBuffer);; p += kRecordSize) {
        const auto* name = reinterpret_cast<const char*>(p + kNameOffset);
        AdapterEntry& entry =
            entries.emplace_back(AdapterEntry{std::string(name, strnlen(name, kNameSize)), p[1] != 0, {}});
        const auto* addresses = reinterpret_cast<const char*>(p + kAddressesOffset);
        std::string_view rest(addresses, strnlen(addresses, kAddressesSize));
        for (std::size_t end = rest.find(';'); end != std::string_view::npos; end = rest.find(';')) {
            entry.addresses.emplace_back(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
        if (p[0] == 0)
            return entries;
    }
}

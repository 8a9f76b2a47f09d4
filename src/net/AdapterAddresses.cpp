#include "net/AdapterAddresses.h"

namespace {
constexpr std::uint32_t kFirstBufferSize = 640; // one adapter record
// An adapter added between sizing the buffer and filling it overflows it
// again; a list that keeps growing is left for another read.
constexpr int kOverflowTries = 3;
} // namespace

CAdapterAddresses::Reading CAdapterAddresses::ReadAll(bool bFillAgain)
{
    if (m_buffer.empty())
        m_buffer.resize(kFirstBufferSize);
    Reading reading;
    int nOverflows = 0;
    for (bool bFirst = true;; bFirst = false) {
        auto size = static_cast<std::uint32_t>(m_buffer.size());
        reading.result = m_adapters.Fill(m_buffer.data(), size);
        if (reading.result == IAdapterList::kBufferOverflow) {
            m_buffer.resize(size);
            if (++nOverflows == kOverflowTries)
                break;
        } else if (!(bFirst && bFillAgain)) {
            break;
        }
    }
    if (reading.result == IAdapterList::kSuccess)
        reading.adapters = m_adapters.Entries(m_buffer.data());
    return reading;
}

std::optional<std::vector<AdapterAddressList>> CAdapterAddresses::Read()
{
    const Reading reading = ReadAll(false);
    if (reading.result != IAdapterList::kSuccess && reading.result != kNoData)
        return std::nullopt;
    std::vector<AdapterAddressList> adapters;
    for (const AdapterEntry& entry : reading.adapters) {
        AdapterAddressList& adapter = adapters.emplace_back(AdapterAddressList{entry.name, entry.dhcpEnabled, {}});
        for (const std::string& address : entry.addresses)
            adapter.addresses.push_back(Ipv4Addr::Parse(address.c_str()));
    }
    return adapters;
}

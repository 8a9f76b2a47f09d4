#include "net/AdapterAddresses.h"

namespace {
constexpr std::uint32_t kNoData = 232; // ERROR_NO_DATA: no adapters at all
// An adapter added between the two fills can overflow the second one too.
constexpr int kFillTries = 3;
} // namespace

std::optional<std::vector<AdapterEntry>> CAdapterAddresses::Read()
{
    for (int tries = 0; tries < kFillTries; ++tries) {
        if (m_buffer.empty())
            m_buffer.resize(sizeof(std::uint64_t));
        auto size = static_cast<std::uint32_t>(m_buffer.size());
        const std::uint32_t result = m_adapters.Fill(m_buffer.data(), size);
        if (result == IAdapterList::kSuccess)
            return m_adapters.Entries(m_buffer.data());
        if (result == kNoData)
            return std::vector<AdapterEntry>{};
        if (result != IAdapterList::kBufferOverflow)
            return std::nullopt;
        m_buffer.resize(size);
    }
    return std::nullopt;
}

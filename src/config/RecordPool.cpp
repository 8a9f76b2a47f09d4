#include "config/RecordPool.h"

#if defined(__SANITIZE_ADDRESS__)
#define TOLVI_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLVI_ASAN 1
#endif
#endif

#if defined(TOLVI_ASAN)
#include <sanitizer/asan_interface.h>
// Freed records stay poisoned until handed out again, so a use after Remove
// is still caught.
#define POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define POISON(p, n) ((void)(p), (void)(n))
#define UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

constexpr std::size_t kFirstBlock = 16;
constexpr std::size_t kLargestGrowth = 4096;

} // namespace

CONFIGURATION* CRecordPool::Allocate()
{
    if (m_pFree) {
        CONFIGURATION* p = m_pFree;
        UNPOISON(p, sizeof(CONFIGURATION));
        m_pFree = p->pNext;
        --m_nFree;
        return p;
    }
    if (m_pNext == m_pEnd) {
        const std::size_t last = m_blocks.empty() ? 0 : static_cast<std::size_t>(m_pEnd - m_blocks.back().get());
        AddBlock(last == 0 ? kFirstBlock : (last < kLargestGrowth ? last * 2 : kLargestGrowth));
    }
    CONFIGURATION* p = m_pNext++;
    UNPOISON(p, sizeof(CONFIGURATION));
    return p;
}

void CRecordPool::Free(CONFIGURATION* p)
{
    p->pNext = m_pFree;
    m_pFree = p;
    ++m_nFree;
    POISON(p, sizeof(CONFIGURATION));
}

void CRecordPool::Reserve(std::size_t nCount)
{
    const std::size_t available = m_nFree + static_cast<std::size_t>(m_pEnd - m_pNext);
    if (nCount > available)
        AddBlock(nCount - available);
}

void CRecordPool::AddBlock(std::size_t nSize)
{
    // The records left in the current block are not lost: they join the free list.
    while (m_pNext != m_pEnd) {
        CONFIGURATION* p = m_pNext++;
        UNPOISON(p, sizeof(CONFIGURATION));
        Free(p);
    }
    // Every record's fields are written again when it is handed out.
    m_blocks.emplace_back(new CONFIGURATION[nSize]);
    m_pNext = m_blocks.back().get();
    m_pEnd = m_pNext + nSize;
    POISON(m_pNext, nSize * sizeof(CONFIGURATION));
}

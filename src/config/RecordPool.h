#pragma once

#include "config/Configuration.h"

#include <cstddef>
#include <memory>
#include <vector>

// Hands out configuration records from blocks of many. A record is too large
// for the allocator's fast paths, and a file of thousands would otherwise pay
// for an allocation each. Freed records are reused; all go with the pool.
class CRecordPool {
public:
    CRecordPool() = default;
    CRecordPool(const CRecordPool&) = delete;
    CRecordPool& operator=(const CRecordPool&) = delete;

    // A record whose fields are all to be written by the caller.
    CONFIGURATION* Allocate();
    void Free(CONFIGURATION* p);
    // Makes room for this many more without further blocks.
    void Reserve(std::size_t nCount);

private:
    void AddBlock(std::size_t nSize);

    std::vector<std::unique_ptr<CONFIGURATION[]>> m_blocks;
    CONFIGURATION* m_pNext = nullptr; // next unused record of the last block
    CONFIGURATION* m_pEnd = nullptr;
    CONFIGURATION* m_pFree = nullptr; // freed records, linked through pNext
    std::size_t m_nFree = 0;
};

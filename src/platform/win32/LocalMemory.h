#pragma once

#include <windows.h>

// Owns memory that the security API hands out for LocalFree.
template <typename T>
class CLocalMemory {
public:
    CLocalMemory() = default;
    CLocalMemory(const CLocalMemory&) = delete;
    CLocalMemory& operator=(const CLocalMemory&) = delete;
    ~CLocalMemory()
    {
        if (m_p)
            ::LocalFree(m_p);
    }
    T* Get() const { return m_p; }
    T** Put() { return &m_p; }

private:
    T* m_p = nullptr;
};

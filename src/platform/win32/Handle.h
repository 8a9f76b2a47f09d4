#pragma once

#include <windows.h>

// Owns a kernel handle from CreateFile, CreateProcess and the like.
class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.m_h) { other.m_h = nullptr; }
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_h = other.m_h;
            other.m_h = nullptr;
        }
        return *this;
    }
    ~CHandle() { Close(); }

    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    bool Close()
    {
        if (!m_h)
            return true;
        const HANDLE h = m_h;
        m_h = nullptr;
        return ::CloseHandle(h) != FALSE;
    }

private:
    HANDLE m_h = nullptr;
};

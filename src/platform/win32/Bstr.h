#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string_view>

// A BSTR copied from UTF-16 text, freed when dropped; empty when out of memory.
class CBstr {
public:
    explicit CBstr(std::u16string_view text) : m_b(::SysAllocStringLen(nullptr, static_cast<UINT>(text.size())))
    {
        if (m_b)
            for (std::size_t k = 0; k < text.size(); ++k)
                m_b[k] = text[k];
    }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    ~CBstr() { ::SysFreeString(m_b); }

    BSTR Get() const { return m_b; }
    explicit operator bool() const { return m_b != nullptr; }

private:
    BSTR m_b;
};

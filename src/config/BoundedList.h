#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

// A list of at most N values kept in place, so that a record holding one
// stays one block that copies and swaps as a whole. Items past the count
// carry no meaning and never take part in a comparison.
template <class T, std::size_t N>
class BoundedList {
public:
    constexpr BoundedList() = default;
    constexpr BoundedList(std::initializer_list<T> items)
    {
        for (const T& item : items)
            push_back(item);
    }

    static constexpr std::size_t capacity() { return N; }
    constexpr std::size_t size() const { return m_nCount; }
    constexpr bool empty() const { return m_nCount == 0; }
    constexpr bool full() const { return m_nCount == N; }

    constexpr const T* begin() const { return m_items.data(); }
    constexpr const T* end() const { return m_items.data() + m_nCount; }
    constexpr T* begin() { return m_items.data(); }
    constexpr T* end() { return m_items.data() + m_nCount; }
    constexpr const T& operator[](std::size_t i) const { return m_items[i]; }
    constexpr T& operator[](std::size_t i) { return m_items[i]; }

    // False, and nothing added, when the list is full.
    constexpr bool push_back(const T& item)
    {
        if (full())
            return false;
        m_items[m_nCount++] = item;
        return true;
    }
    constexpr void erase(std::size_t i)
    {
        if (i >= m_nCount)
            return;
        std::copy(begin() + i + 1, end(), begin() + i);
        m_items[--m_nCount] = T{};
    }
    constexpr void clear() { *this = BoundedList(); }

    friend constexpr bool operator==(const BoundedList& a, const BoundedList& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::array<T, N> m_items{};
    std::uint32_t m_nCount = 0;
};

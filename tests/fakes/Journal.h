#pragma once

#include <string>
#include <utility>
#include <vector>

// One ordered record of what the fakes were asked to do, shared between them
// so that tests can check the order across services.
class CJournal {
public:
    void Add(std::string entry) { m_entries.push_back(std::move(entry)); }
    const std::vector<std::string>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::string> m_entries;
};

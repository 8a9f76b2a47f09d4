#pragma once

#include "support/ForwardingFileSystem.h"

#include <string>
#include <vector>

// Passes every call through to a real file system but fails the one write
// step (create, write, flush, close, replace) whose number it is given,
// counting from 0. A failing write first lets half of its data through, as a
// full disk would. Records the steps it saw.
class CFaultyFileSystem final : public CForwardingFileSystem {
public:
    static constexpr int kNever = -1;

    CFaultyFileSystem(IFileSystem& inner, int nFailAt) : CForwardingFileSystem(inner), m_nFailAt(nFailAt) {}

    const std::vector<std::string>& Steps() const { return m_steps; }

    std::unique_ptr<IWritableFile> Create(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;

    // Counts a step; true when this one is to fail.
    bool Step(const std::string& what);

private:
    int m_nFailAt;
    std::vector<std::string> m_steps;
};

#include "support/FaultyFileSystem.h"

namespace {

class CFaultyFile final : public IWritableFile {
public:
    CFaultyFile(CFaultyFileSystem& owner, std::unique_ptr<IWritableFile> inner)
        : m_owner(owner), m_inner(std::move(inner))
    {
    }

    bool Write(const void* pData, std::size_t nSize) override
    {
        if (m_owner.Step("write")) {
            (void)m_inner->Write(pData, nSize / 2);
            return false;
        }
        return m_inner->Write(pData, nSize);
    }
    bool Flush() override { return !m_owner.Step("flush") && m_inner->Flush(); }
    bool Close() override
    {
        const bool fail = m_owner.Step("close");
        return m_inner->Close() && !fail;
    }

private:
    CFaultyFileSystem& m_owner;
    std::unique_ptr<IWritableFile> m_inner;
};

} // namespace

bool CFaultyFileSystem::Step(const std::string& what)
{
    m_steps.push_back(what);
    return static_cast<int>(m_steps.size()) - 1 == m_nFailAt;
}

std::unique_ptr<IWritableFile> CFaultyFileSystem::Create(const std::string& path)
{
    if (Step("create"))
        return nullptr;
    std::unique_ptr<IWritableFile> file = m_inner.Create(path);
    if (!file)
        return nullptr;
    return std::make_unique<CFaultyFile>(*this, std::move(file));
}

bool CFaultyFileSystem::Replace(const std::string& from, const std::string& to)
{
    return !Step("replace") && m_inner.Replace(from, to);
}

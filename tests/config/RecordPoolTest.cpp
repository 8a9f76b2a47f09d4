#include "config/RecordPool.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

TEST(RecordPool, RecordsStayWhereTheyAreWhileThePoolGrows)
{
    CRecordPool pool;
    pool.Reserve(10);
    std::vector<CONFIGURATION*> records;
    for (int i = 0; i < 20000; ++i) {
        CONFIGURATION* p = pool.Allocate();
        *p = CONFIGURATION{};
        p->ipAddress = Ipv4Addr::FromValue(static_cast<std::uint32_t>(i));
        records.push_back(p);
    }
    EXPECT_EQ(std::set<CONFIGURATION*>(records.begin(), records.end()).size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        ASSERT_EQ(records[i]->ipAddress.Value(), i);
}

TEST(RecordPool, FreedRecordsAreHandedOutAgain)
{
    CRecordPool pool;
    CONFIGURATION* a = pool.Allocate();
    CONFIGURATION* b = pool.Allocate();
    pool.Free(a);
    pool.Free(b);
    const std::set<CONFIGURATION*> again = {pool.Allocate(), pool.Allocate()};
    EXPECT_EQ(again, (std::set<CONFIGURATION*>{a, b}));
}

#if defined(__SANITIZE_ADDRESS__)
TEST(RecordPoolDeathTest, UsingAFreedRecordIsCaught)
{
    CRecordPool pool;
    CONFIGURATION* p = pool.Allocate();
    pool.Free(p);
    EXPECT_DEATH({ p->dns1 = Ipv4Addr::FromValue(1); }, "use-after-poison");
}
#endif

} // namespace

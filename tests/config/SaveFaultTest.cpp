#include "config/ConfigList.h"
#include "support/TestSettings.h"

#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/ConfigImage.h"
#include "support/FaultyFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Steps = std::vector<std::string>;

const Steps kReplace = {"create", "write", "flush", "close", "replace"};

struct Scenario {
    const char* what;
    std::optional<std::vector<std::uint8_t>> before; // the file on disk, if any
    Steps steps;                                     // what a save that succeeds does
};

std::vector<Scenario> Scenarios()
{
    const std::vector<TestRecord> records = {{.name = "A", .ip = 1}, {.name = "B", .dhcpAddress = 1, .dhcpDns = 1}};
    auto damaged = MakeConfigFile({}, records);
    damaged.resize(damaged.size() - 100);
    Steps twice = kReplace;
    twice.insert(twice.end(), kReplace.begin(), kReplace.end());
    return {
        {"sound file", MakeConfigFile({}, records), kReplace},
        {"damaged file, backed up first", damaged, twice},
        {"no file", std::nullopt, kReplace},
    };
}

// Every step of saving fails once in turn; each time the file on disk must be
// exactly what it was, and nothing half-written may be left beside it.
TEST(SaveFaults, AFailureAtAnyStepLeavesTheOldFileAsItWas)
{
    auto system = std::make_unique<CSystemFileSystem>();
    const CLatin1CodePage codePage;
    for (const Scenario& s : Scenarios()) {
        for (int failAt = CFaultyFileSystem::kNever; failAt < static_cast<int>(s.steps.size()); ++failAt) {
            SCOPED_TRACE(std::string(s.what) + ", failing step " + std::to_string(failAt));
            CTempDir dir;
            const std::string path = dir.File("Tolvi.cfg");
            if (s.before)
                WriteBytes(path, *s.before);
            const auto entriesBefore = dir.Entries();

            CFaultyFileSystem faulty(*system, failAt);
            CConfigList list{faulty, codePage};
            list.Load(path);
            list.Add("C", "Wireless", Settings(0, 0, 0x0A00A8C0, 0x00FFFFFF, 0, 0, 0, 0));
            const std::size_t count = list.GetCount();
            const SaveResult result = list.Save(path);

            if (failAt == CFaultyFileSystem::kNever) {
                EXPECT_EQ(result, SaveResult::Written);
                EXPECT_EQ(faulty.Steps(), s.steps);
                continue;
            }
            EXPECT_EQ(result, SaveResult::Failed);
            // Faults after the backup was made leave that backup, a true copy.
            auto entries = dir.Entries();
            std::erase(entries, "Tolvi.cfg.bak");
            EXPECT_EQ(entries, entriesBefore);
            if (s.before) {
                EXPECT_EQ(ReadBytes(path), *s.before);
                if (failAt >= static_cast<int>(kReplace.size())) {
                    EXPECT_EQ(ReadBytes(dir.File("Tolvi.cfg.bak")), *s.before);
                }
            }

            // The same list saves once the fault has passed.
            EXPECT_EQ(list.Save(path), SaveResult::Written);
            CConfigList reread{*system, codePage};
            EXPECT_EQ(reread.Load(path), LoadResult::Loaded);
            EXPECT_EQ(reread.GetCount(), count);
        }
    }
}

} // namespace

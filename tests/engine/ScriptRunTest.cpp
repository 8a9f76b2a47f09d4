#include "engine/ScriptRun.h"

#include "fakes/FakeClock.h"
#include "fakes/Latin1CodePage.h"
#include "platform/MessageBox.h"
#include "platform/SystemFileSystem.h"
#include "support/FaultyFileSystem.h"
#include "support/ForwardingFileSystem.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// An import of a good file; the message names the folder, then `after`.
TEST(ScriptRun, AnImportIsKeptOnlyWhenTolviCfgCanBeReadAndWritten)
{
    const struct {
        bool bHeld, bSaveFails;
        ExitCode code;
        const char* after;
        unsigned icon;
    } cases[] = {
        {false, false, ExitCode::Done, "in.txt were imported into ", mb::kIconInformation},
        {true, false, ExitCode::DidNotWork, "Tolvi.cfg: another program may be using it.\nNothing was done",
         mb::kIconWarning},
        {false, true, ExitCode::DidNotWork, "Tolvi.cfg.\nThe changes of this run were not saved.", mb::kIconError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        CTempDir dir;
        const std::string folder = dir.Path().string() + "/";
        CSystemFileSystem system;
        CRelocatedFileSystem relocated(system, folder);
        CFaultyFileSystem files(relocated, c.bSaveFails ? 0 : CFaultyFileSystem::kNever);
        CLatin1CodePage codePage;
        CFakeClock clock;
        if (c.bHeld)
            std::filesystem::create_directory(dir.File("Tolvi.cfg"));
        const std::string text = "[Preferences]\n";
        WriteBytes(dir.File("in.txt"), {text.begin(), text.end()});

        const Outcome outcome = CScriptRun(files, codePage, clock).Run({CommandAction::Import, folder + "in.txt"}, {});
        EXPECT_EQ(outcome.code, c.code);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_NE(outcome.messages[0].text.find(folder + c.after), std::string::npos) << outcome.messages[0].text;
        EXPECT_EQ(outcome.messages[0].icon, c.icon);
    }
}

} // namespace

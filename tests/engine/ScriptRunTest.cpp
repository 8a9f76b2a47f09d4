#include "engine/ScriptRun.h"

#include "engine/FileMessages.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeMessageBox.h"
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

// Another program writes Tolvi.cfg, holding "Office", between the run's
// reading and its writing.
struct COvertakingFileSystem final : CForwardingFileSystem {
    using CForwardingFileSystem::CForwardingFileSystem;
    int nReads = 0;
    FileReadResult Read(const std::string& path, std::vector<std::uint8_t>& bytes) override
    {
        if (path.ends_with("Tolvi.cfg") && ++nReads == 2) {
            const CLatin1CodePage codePage;
            CConfigList other(m_inner, codePage);
            other.Add("Office", "LAN", {});
            EXPECT_EQ(other.Save(path), SaveResult::Written);
        }
        return m_inner.Read(path, bytes);
    }
};

// An import of a good file; the message names the folder, then `after`.
TEST(ScriptRun, AnImportIsKeptOnlyWhenTolviCfgCanBeReadAndWritten)
{
    const struct {
        bool bHeld, bSaveFails;
        ExitCode code;
        const char* after;
        unsigned icon;
        bool bOvertaken = false;
        bool bBadFile = false;
    } cases[] = {
        {false, false, ExitCode::Done, "in.txt were imported into ", mb::kIconInformation},
        {false, false, ExitCode::Done, "in.txt were imported into ", mb::kIconInformation, true},
        {true, false, ExitCode::DidNotWork, "Tolvi.cfg: another program may be using it.\nNothing was done",
         mb::kIconWarning},
        {false, true, ExitCode::DidNotWork, "Tolvi.cfg.\nThe changes of this run were not saved.", mb::kIconError},
        // Where there was no Tolvi.cfg, none is left behind.
        {false, false, ExitCode::BadInput, "in.txt, line 1: 'Connection' is missing", mb::kIconError, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        CTempDir dir;
        const std::string folder = dir.Path().string() + "/";
        CSystemFileSystem system;
        CRelocatedFileSystem relocated(system, folder);
        COvertakingFileSystem overtaking(relocated);
        IFileSystem& underneath = c.bOvertaken ? static_cast<IFileSystem&>(overtaking) : relocated;
        CFaultyFileSystem files(underneath, c.bSaveFails ? 0 : CFaultyFileSystem::kNever);
        CLatin1CodePage codePage;
        CFakeClock clock;
        if (c.bHeld)
            std::filesystem::create_directory(dir.File("Tolvi.cfg"));
        const std::string text = c.bBadFile ? "[Configuration]\nName = Lab\n"
                                            : "[Configuration]\nName = Lab\nConnection = LAN\nIP address from "
                                              "DHCP = yes\nDNS servers from DHCP = yes\n";
        WriteBytes(dir.File("in.txt"), {text.begin(), text.end()});

        const Outcome outcome = CScriptRun(files, codePage, clock).Run({CommandAction::Import, folder + "in.txt"}, {});
        EXPECT_EQ(outcome.code, c.code);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_NE(outcome.messages[0].text.find(folder + c.after), std::string::npos) << outcome.messages[0].text;
        EXPECT_EQ(outcome.messages[0].icon, c.icon);
        EXPECT_EQ(std::filesystem::exists(dir.File("Tolvi.cfg")), !c.bBadFile && !c.bSaveFails);
        CConfigList kept(system, codePage);
        kept.Load(dir.File("Tolvi.cfg"));
        EXPECT_EQ(kept.GetCount(), c.code != ExitCode::Done ? 0u : c.bOvertaken ? 2u : 1u);
    }
}

// A script's /import while the main dialog was open: its end asks.
TEST(DialogEnd, AFileChangedMeanwhileIsReplacedOnlyWhenTheUserSaysSo)
{
    for (const int answer : {mb::kIdYes, mb::kIdNo}) {
        CTempDir dir;
        const std::string folder = dir.Path().string() + "/";
        CSystemFileSystem system;
        CRelocatedFileSystem files(system, folder);
        const CLatin1CodePage codePage;
        CConfigList dialog(files, codePage);
        CFakeClock clock;
        dialog.Load(clock);
        dialog.Add("Lab", "LAN", {});
        CConfigList script(files, codePage);
        script.SetDefaultPreferences();
        script.Add("Office", "LAN", {});
        ASSERT_EQ(script.Save(), SaveResult::Written);
        CFakeMessageBox messages;
        messages.answers = {answer};
        EXPECT_EQ(SaveAtExit(dialog, messages, folder),
                  answer == mb::kIdYes ? SaveResult::Written : SaveResult::ChangedOnDisk);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, ChangedOnDiskText(folder));
        CConfigList kept(files, codePage);
        kept.Load(clock);
        EXPECT_NE(kept.Find(answer == mb::kIdYes ? "Lab" : "Office"), nullptr);
        EXPECT_EQ(kept.GetCount(), 1u);
        // What it wrote itself is no change by another program.
        dialog.Remove("Lab");
        EXPECT_EQ(dialog.Save(), answer == mb::kIdYes ? SaveResult::Written : SaveResult::ChangedOnDisk);
    }
}

} // namespace

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
#include <vector>

namespace {

enum class Before { None, FileHeld, ImportExported, ImportBroken };

TEST(ScriptRun, FileCasesEndInTheirCodeAndMessages)
{
    const struct {
        const char* what;
        CommandAction action;
        const char* operand;
        Before setup;
        bool bSaveFails;
        ExitCode code;
        std::vector<std::string> starts; // each message's beginning; {folder} is the program's folder
        std::vector<unsigned> icons;
    } cases[] = {
        {"Tolvi.cfg held",
         CommandAction::Import,
         "in.txt",
         Before::FileHeld,
         false,
         ExitCode::DidNotWork,
         {"Tolvi could not read its configuration file {folder}Tolvi.cfg: another program may be using it.\nNothing "
          "was done"},
         {mb::kIconWarning}},
        {"import of a missing file",
         CommandAction::Import,
         "gone.txt",
         Before::None,
         false,
         ExitCode::BadInput,
         {"Tolvi could not read the file {folder}gone.txt."},
         {mb::kIconError}},
        {"import of a broken file",
         CommandAction::Import,
         "in.txt",
         Before::ImportBroken,
         false,
         ExitCode::BadInput,
         {"Nothing was imported. {folder}in.txt, line 1: "},
         {mb::kIconError}},
        {"import kept",
         CommandAction::Import,
         "in.txt",
         Before::ImportExported,
         false,
         ExitCode::Done,
         {"The configurations and preferences of {folder}in.txt were imported into {folder}Tolvi.cfg."},
         {mb::kIconInformation}},
        {"import not saved",
         CommandAction::Import,
         "in.txt",
         Before::ImportExported,
         true,
         ExitCode::DidNotWork,
         {"Tolvi could not write its configuration file {folder}Tolvi.cfg.\nThe changes of this run were not saved."},
         {mb::kIconError}},
        {"export into a missing folder",
         CommandAction::Export,
         "no/out.txt",
         Before::None,
         false,
         ExitCode::BadInput,
         {"Tolvi could not write the file {folder}no/out.txt."},
         {mb::kIconError}},
        {"export",
         CommandAction::Export,
         "out.txt",
         Before::None,
         false,
         ExitCode::Done,
         {"The preferences and 0 configurations were written to {folder}out.txt."},
         {mb::kIconInformation}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CTempDir dir;
        const std::string folder = dir.Path().string() + "/";
        CSystemFileSystem system;
        CRelocatedFileSystem relocated(system, folder);
        CFaultyFileSystem files(relocated, c.bSaveFails ? 0 : CFaultyFileSystem::kNever);
        CLatin1CodePage codePage;
        CFakeClock clock;
        if (c.setup == Before::FileHeld)
            std::filesystem::create_directory(dir.File("Tolvi.cfg"));
        if (c.setup == Before::ImportBroken)
            WriteBytes(dir.File("in.txt"), {'?', '\n'});
        if (c.setup == Before::ImportExported) {
            CRelocatedFileSystem elsewhere(system, folder + "elsewhere/");
            ASSERT_EQ(CScriptRun(elsewhere, codePage, clock).Run({CommandAction::Export, folder + "in.txt"}, {}).code,
                      ExitCode::Done);
        }

        const Outcome outcome = CScriptRun(files, codePage, clock).Run({c.action, folder + c.operand}, {});
        EXPECT_EQ(outcome.code, c.code);
        ASSERT_EQ(outcome.messages.size(), c.starts.size());
        for (std::size_t i = 0; i < c.starts.size(); ++i) {
            std::string start = c.starts[i];
            for (std::size_t at; (at = start.find("{folder}")) != std::string::npos;)
                start.replace(at, 8, folder);
            EXPECT_EQ(outcome.messages[i].text.substr(0, start.size()), start);
            EXPECT_EQ(outcome.messages[i].icon, c.icons[i]);
        }
    }
}

} // namespace

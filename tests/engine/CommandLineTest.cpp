#include "engine/CommandLine.h"
#include "engine/RunRights.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CommandLineTest, SplitsAsTheCRuntimeDoes)
{
    const struct {
        const char* text;
        std::vector<std::string> arguments;
    } cases[] = {
        {R"("C:\Program Files\Tolvi\Tolvi.exe" /apply "Lab 2")",
         {R"(C:\Program Files\Tolvi\Tolvi.exe)", "/apply", "Lab 2"}},
        {R"(C:\Tolvi\Tolvi.exe  /export	C:\out\x.txt)", {R"(C:\Tolvi\Tolvi.exe)", "/export", R"(C:\out\x.txt)"}},
        {R"(Tolvi.exe "say ""hi""" a\"b c\\"d e" f\\g)", {"Tolvi.exe", R"(say "hi")", R"(a"b)", R"(c\d e)", R"(f\\g)"}},
        {R"(Tolvi.exe "" x)", {"Tolvi.exe", "", "x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitCommandLine(c.text), c.arguments);
    }
}

TEST(CommandLineTest, ParsesSwitchesAndSaysWhatIsWrong)
{
    const std::string kOnlyOne = "Give only one of /auto, /tray, /apply, /export, /import, /register, /register-auto, "
                                 "/register-tray, /unregister and /install.";
    const struct {
        const char* text;
        CommandAction action;
        std::string operand;
        bool bQuiet;
        std::string error;
    } cases[] = {
        {"Tolvi.exe", CommandAction::Normal},
        {"Tolvi.exe stray words", CommandAction::Normal},
        {R"(Tolvi.exe /APPLY "Lab [2]; a=b" /Quiet)", CommandAction::Apply, "Lab [2]; a=b", true},
        {"Tolvi.exe /quiet /import in.txt", CommandAction::Import, "in.txt", true},
        {"Tolvi.exe /export out.txt", CommandAction::Export, "out.txt"},
        {"Tolvi.exe /Register-Auto", CommandAction::RegisterAuto},
        {"Tolvi.exe /register /quiet", CommandAction::Register, "", true},
        {"Tolvi.exe /unregister", CommandAction::Unregister},
        {"Tolvi.exe /Register-Tray", CommandAction::RegisterTray},
        {"Tolvi.exe /TRAY /quiet", CommandAction::Tray, "", true},
        {"Tolvi.exe /install /quiet", CommandAction::Install, "", true},
        {"Tolvi.exe /Install Tray", CommandAction::Install, "tray"},
        // Automatic configuration keeps its old, loose test.
        {"Tolvi.exe /auto /quiet", CommandAction::Auto, "", true},
        {R"("C:\Tools/autostart\Tolvi.exe")", CommandAction::Auto},
        {"Tolvi.exe /minimized /automatic", CommandAction::Auto},
        {"Tolvi.exe /AUTO", CommandAction::Normal},
        {R"("C:\x/auto\Tolvi.exe" /apply Lab)", CommandAction::Apply, "Lab"},
        // Help outweighs every other switch and mistake.
        {"Tolvi.exe /? /aply", CommandAction::Help},
        {"Tolvi.exe /apply Lab --HELP /quiet", CommandAction::Help, "", true},
        {"Tolvi.exe -h", CommandAction::Help},
        {"Tolvi.exe /Help", CommandAction::Help},
        // Wrong command lines.
        {"Tolvi.exe /apply", CommandAction::Apply, "", false, "/apply needs the name of a configuration."},
        {"Tolvi.exe /import /quiet", CommandAction::Import, "", true, "/import needs the name of the file to read."},
        {"Tolvi.exe /export /auto", CommandAction::Auto, "", false, "/export needs the name of the file to write."},
        {"Tolvi.exe /aply Lab", CommandAction::Normal, "", false, "Unknown switch /aply."},
        {"Tolvi.exe /tray-icon", CommandAction::Normal, "", false, "Unknown switch /tray-icon."},
        {"Tolvi.exe /install here", CommandAction::Install, "here", false,
         "/install takes normal, auto or tray as the mode to start in."},
        {R"(Tolvi.exe /apply "" /quiet)", CommandAction::Apply, "", true, "/apply needs the name of a configuration."},
        {R"(Tolvi.exe /install "")", CommandAction::Install, "", false,
         "/install takes normal, auto or tray as the mode to start in."},
        {"Tolvi.exe /apply Lab /import x", CommandAction::Import, "x", false, kOnlyOne},
        {"Tolvi.exe /tray /register-tray", CommandAction::RegisterTray, "", false, kOnlyOne},
        {"Tolvi.exe /quiet", CommandAction::Normal, "", true,
         "/quiet goes with another switch: the main dialog cannot run without message boxes."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Command command = ParseCommandLine(c.text);
        EXPECT_EQ(command.action, c.action);
        EXPECT_EQ(command.operand, c.operand);
        EXPECT_EQ(command.bQuiet, c.bQuiet);
        EXPECT_EQ(command.error, c.error);
    }
}

} // namespace

// A portable Tolvi goes on elevated for everything; an installed one, whose
// service applies for any user, only to change what an administrator defines.
TEST(CommandLineTest, AUsersRunGoesOnIsRestartedElevatedOrIsRefused)
{
    const struct {
        const char* text;
        bool bAdministrator, bServiceInstalled;
        RightsStep step;
    } cases[] = {
        {"Tolvi.exe /import in.txt", true, false, RightsStep::Go},
        {"Tolvi.exe /import in.txt", true, true, RightsStep::Go},
        {"Tolvi.exe /apply Lab", false, false, RightsStep::RestartElevated},
        {"Tolvi.exe", false, false, RightsStep::RestartElevated},
        {"Tolvi.exe /?", false, false, RightsStep::Go},
        {"Tolvi.exe /bogus", false, false, RightsStep::Go},
        {"Tolvi.exe /apply Lab", false, true, RightsStep::Go},
        {"Tolvi.exe /tray", false, true, RightsStep::Go},
        {"Tolvi.exe /export out.txt", false, true, RightsStep::Go},
        {"Tolvi.exe /import in.txt", false, true, RightsStep::Refuse},
        {"Tolvi.exe /register-tray /quiet", false, true, RightsStep::Refuse},
        {"Tolvi.exe /unregister", false, true, RightsStep::Refuse},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(RightsStepFor(ParseCommandLine(c.text), c.bAdministrator, c.bServiceInstalled), c.step);
    }
    EXPECT_EQ(ArgumentsText(R"("C:\Program Files\Tolvi\Tolvi.exe"  /apply "Lab 2")"), R"(/apply "Lab 2")");
    EXPECT_EQ(ArgumentsText("Tolvi.exe"), "");
}

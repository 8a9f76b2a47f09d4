#include "MessageBoxAnswerer.h"
#include "TestDialogs.h"

#include "framework/Dialog.h"
#include "platform/win32/Win32MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Buttons {
    bool ok = false;
    bool cancel = false;
    bool yes = false;
    bool no = false;
};

void ExpectButtons(const MessageBoxSeen& seen, const Buttons& expected)
{
    EXPECT_EQ(seen.hasOk, expected.ok);
    EXPECT_EQ(seen.hasCancel, expected.cancel);
    EXPECT_EQ(seen.hasYes, expected.yes);
    EXPECT_EQ(seen.hasNo, expected.no);
}

TEST(MessageBoxes, ShowsTheProgramTitleTheTextAndTheButtonsAndReturnsTheAnswer)
{
    struct Case {
        const char* name;
        const char* text;
        UINT type;
        int answer;
        Buttons buttons;
        bool icon;
    };
    const Case cases[] = {
        {"error", "The configuration file could not be written.", MB_OK | MB_ICONERROR, IDOK, {.ok = true}, true},
        {"question answered no",
         "Apply the configuration?",
         MB_YESNO | MB_ICONQUESTION,
         IDNO,
         {.yes = true, .no = true},
         true},
        {"question answered yes",
         "Apply the configuration?",
         MB_YESNO | MB_ICONQUESTION,
         IDYES,
         {.yes = true, .no = true},
         true},
        {"warning cancelled",
         "Two lines,\nand & kept.",
         MB_OKCANCEL | MB_ICONWARNING,
         IDCANCEL,
         {.ok = true, .cancel = true},
         true},
        {"no icon asked for", "Plain.", MB_OK, IDOK, {.ok = true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessageBoxAnswerer answerer({{c.answer}});
        EXPECT_EQ(CWin32MessageBox().Show(c.text, c.type), c.answer);
        const std::vector<MessageBoxSeen> seen = answerer.Seen();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, "Tolvi");
        EXPECT_EQ(seen[0].text, c.text);
        ExpectButtons(seen[0], c.buttons);
        EXPECT_EQ(seen[0].hasIcon, c.icon);
        EXPECT_EQ(seen[0].nPressed, c.answer);
    }
}

TEST(MessageBoxes, IsOwnedByTheActiveWindow)
{
    CDialog dialog(IDD_FRAMEWORK_CHILD);
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_CHILD));
    dialog.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dialog.m_hWnd);
    ASSERT_EQ(::GetActiveWindow(), dialog.m_hWnd);

    CMessageBoxAnswerer answerer({{IDOK}});
    EXPECT_EQ(CWin32MessageBox().Show("Over the dialog.", MB_OK), IDOK);
    const std::vector<MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].hOwner, dialog.m_hWnd);
    EXPECT_FALSE(seen[0].bOwnerEnabled);
    EXPECT_TRUE(dialog.IsWindowEnabled());
}

TEST(MessageBoxAnswerer, ClosesABoxItWasNotWaitingForAndAnswersTheOneItWas)
{
    CMessageBoxAnswerer answerer({{IDYES, "second"}});
    EXPECT_EQ(CWin32MessageBox().Show("first", MB_YESNO), IDNO);
    EXPECT_EQ(CWin32MessageBox().Show("the second one", MB_YESNO), IDYES);
    const std::vector<MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[0].bExpected);
    EXPECT_TRUE(seen[1].bExpected);
}

} // namespace

// Saving, renaming, deleting and rearranging configurations from the main
// dialog, through its own small dialogs and message boxes, and what reaches
// the file at the end of the run.
#include "MainDialogHarness.h"
#include "support/ConfigImage.h"
#include "support/SameRecord.h"
#include "win32/DialogTesting.h"
#include "win32/MessageBoxAnswerer.h"

#include "platform/win32/WideText.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Step = CDrivenTolviDlg::Step;

const std::string kLan = "Local Area Network";
const std::string kPlaceholder = "< New Configuration >";
const std::string kSaveTitle = "Save Current Configuration";
const std::string kRenameTitle = "Rename Configuration";
const std::string kRearrangeTitle = "Rearrange Configurations";
const std::string kAdvancedTitle = "Advanced TCP/IP Settings";

// The connection's settings now, and a configuration of each kind on it.
const CurrentSettings kLabNow{false, "192.168.5.7", "255.255.255.0", "192.168.5.1", "192.168.5.53"};
const TestRecord kHome{"home", kLan, 1, 1};
const TestRecord kOffice{"office", kLan, 0, 0, Ip("10.0.0.5"), Ip("255.0.0.0"), Ip("10.0.0.1"), Ip("10.0.0.53")};
// What saving kLabNow stores.
TestRecord LabAs(const std::string& name)
{
    return {name, kLan, 0, 0, Ip("192.168.5.7"), Ip("255.255.255.0"), Ip("192.168.5.1"), Ip("192.168.5.53")};
}

// One connection showing kLabNow, and the configurations in Tolvi.cfg.
void Prepare(CTestSystem& system, const std::vector<TestRecord>& records)
{
    system.AddConnection(kLan, kLabNow);
    system.WriteConfig([&](CConfigList& list) { AddAll(list, records); });
}

// Tolvi.cfg as the run left it, record by record.
void ExpectFile(CTestSystem& system, const std::vector<TestRecord>& records)
{
    CConfigList saved(system.realFiles, system.codePage);
    system.ReadConfig(saved);
    const CONFIGURATION* p = saved.GetHead();
    for (const TestRecord& r : records) {
        EXPECT_TRUE(SameRecord(p, r));
        p = p ? p->pNext : nullptr;
    }
    EXPECT_EQ(p, nullptr) << "more configurations than expected, the next is \"" << p->szName << '"';
}

std::vector<std::string> Names(const std::vector<TestRecord>& records)
{
    std::vector<std::string> names;
    for (const TestRecord& r : records)
        names.push_back(r.name);
    names.push_back(kPlaceholder);
    return names;
}

std::vector<std::string> ListEntries(HWND hList)
{
    std::vector<std::string> entries;
    const auto count = static_cast<WPARAM>(::SendMessageA(hList, LB_GETCOUNT, 0, 0));
    for (WPARAM i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(::SendMessageA(hList, LB_GETTEXTLEN, i, 0)), '\0');
        ::SendMessageA(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        entries.push_back(text.c_str());
    }
    return entries;
}

int ListSelection(HWND hList)
{
    return static_cast<int>(::SendMessageA(hList, LB_GETCURSEL, 0, 0));
}

// The main dialog's configuration box, its entries and its selection.
struct ConfigurationBox {
    std::vector<std::string> entries;
    std::string selected;
};

ConfigurationBox BoxOf(const CDrivenTolviDlg& d)
{
    return {ComboEntries(d.Item(IDC_COMBO_CONFIGURATION)), SelectedText(d.Item(IDC_COMBO_CONFIGURATION))};
}

// The configuration box listed the records' names, and the file holds them.
void ExpectListed(CTestSystem& system, const ConfigurationBox& box, const std::vector<TestRecord>& records)
{
    EXPECT_EQ(box.entries, Names(records));
    ExpectFile(system, records);
}

// Types the text into the edit as keys would, one character at a time.
void TypeChars(HWND hEdit, const std::string& text)
{
    for (const wchar_t ch : Wide(text))
        ::SendMessageW(hEdit, WM_CHAR, ch, 1);
}

HWND ComboEdit(HWND hCombo)
{
    return ::GetWindow(hCombo, GW_CHILD);
}

// Runs the steps, then reads the box and ends the run; returns the boxes seen.
std::vector<MessageBoxSeen> RunSteps(CTestSystem& system, std::vector<Step> steps, ConfigurationBox& box,
                                     std::initializer_list<CMessageBoxAnswerer::Answer> answers = {})
{
    steps.push_back(WhenIdle([&box](CDrivenTolviDlg& d) { box = BoxOf(d); }));
    return RunAnswering(system, std::move(steps), answers);
}

TEST(SaveConfiguration, SettingsThatAConfigurationHasAlreadyAreRefusedWithoutTheDialog)
{
    struct Case {
        const char* what;
        std::vector<Step> setUp;
        std::string text;
    };
    const Case cases[] = {
        {"the same static settings under another name",
         {[](CDrivenTolviDlg& d) { ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "office"); }},
         "There is a exactly same configuration named 'office'"},
        // The address fields hold the lab's addresses, which DHCP ignores.
        {"DHCP for both on a connection that has such a configuration",
         {[](CDrivenTolviDlg& d) {
             ClickNow(d.Item(IDC_RADIO_IP_DHCP));
             ClickNow(d.Item(IDC_RADIO_DNS_DHCP));
             EXPECT_EQ(AddressText(d.Item(IDC_IP_ADDRESS)), "192.168.5.7");
         }},
         "There is a exactly same configuration named 'home'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestSystem system;
        Prepare(system, {kOffice, kHome});
        std::vector<Step> steps = c.setUp;
        steps.push_back([](CDrivenTolviDlg& d) { Click(d.Item(IDC_SAVE)); });
        ConfigurationBox box;
        const auto seen = RunSteps(system, steps, box, {{IDOK, c.text}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, c.text);
        EXPECT_TRUE(seen[0].hasIcon);
        ExpectListed(system, box, {kOffice, kHome});
    }
}

TEST(SaveConfiguration, ANewNameAddsTheShownSettingsLastAndSelectsThem)
{
    CTestSystem system;
    Prepare(system, {kHome, kOffice});
    std::vector<std::string> offered;
    std::string startText = "not read";
    bool bFocusInName = false;
    bool bCentred = false;
    std::vector<Step> steps = InDialog(IDC_SAVE, kSaveTitle, [&](CDrivenTolviDlg& d, HWND hSave) {
        const HWND hName = ::GetDlgItem(hSave, IDC_COMBO_NAME);
        offered = ComboEntries(hName);
        startText = CWnd::TextOf(hName);
        bFocusInName = ::GetFocus() == ComboEdit(hName);
        RECT main{}, save{};
        ::GetWindowRect(d.m_hWnd, &main);
        ::GetWindowRect(hSave, &save);
        bCentred = std::abs((main.left + main.right) - (save.left + save.right)) <= 2 &&
                   std::abs((main.top + main.bottom) - (save.top + save.bottom)) <= 2;
        TypeChars(ComboEdit(hName), "lab");
        SaveWindowShot(hSave, "save");
        Click(::GetDlgItem(hSave, IDOK));
    });
    ConfigurationBox box;
    EXPECT_TRUE(RunSteps(system, steps, box).empty());
    EXPECT_EQ(offered, (std::vector<std::string>{"home", "office"}));
    EXPECT_EQ(startText, "");
    EXPECT_TRUE(bFocusInName);
    EXPECT_TRUE(bCentred) << "the dialog opens over the main dialog";
    EXPECT_EQ(box.selected, "lab");
    ExpectListed(system, box, {kHome, kOffice, LabAs("lab")});
}

TEST(SaveConfiguration, AnExistingNameIsReplacedOnlyWhenTheUserSaysSo)
{
    struct Case {
        int nAnswer;
        std::vector<TestRecord> after;
        std::string selected;
    };
    const Case cases[] = {
        {IDYES, {kOffice, LabAs("home")}, "home"},
        {IDNO, {kHome, kOffice}, kPlaceholder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nAnswer == IDYES ? "Yes" : "No");
        CTestSystem system;
        Prepare(system, {kHome, kOffice});
        // The name picked from the list, as a user would.
        std::vector<Step> steps = InDialog(IDC_SAVE, kSaveTitle, [](CDrivenTolviDlg&, HWND hSave) {
            const HWND hName = ::GetDlgItem(hSave, IDC_COMBO_NAME);
            ::SendMessageA(hName, CB_SETCURSEL, 0, 0);
            Click(::GetDlgItem(hSave, IDOK));
        });
        ConfigurationBox box;
        const std::string question = "There is a configuration that have same name. Overwrite it?";
        const auto seen = RunSteps(system, steps, box, {{c.nAnswer, question}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, question);
        EXPECT_TRUE(seen[0].hasYes && seen[0].hasNo && seen[0].hasIcon);
        EXPECT_EQ(box.selected, c.selected);
        ExpectListed(system, box, c.after);
    }
}

TEST(SaveConfiguration, NothingIsSavedWithoutAName)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> close;
    };
    const Case cases[] = {
        {"OK with the name empty", [](HWND hSave) { Click(::GetDlgItem(hSave, IDOK)); }},
        {"Cancel after typing a name",
         [](HWND hSave) {
             TypeChars(ComboEdit(::GetDlgItem(hSave, IDC_COMBO_NAME)), "lab");
             Click(::GetDlgItem(hSave, IDCANCEL));
         }},
        {"Esc after typing a name",
         [](HWND hSave) {
             const HWND hEdit = ComboEdit(::GetDlgItem(hSave, IDC_COMBO_NAME));
             TypeChars(hEdit, "lab");
             PostKey(hEdit, VK_ESCAPE);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestSystem system;
        Prepare(system, {kHome});
        ConfigurationBox box;
        const auto seen = RunSteps(
            system, InDialog(IDC_SAVE, kSaveTitle, [&](CDrivenTolviDlg&, HWND hSave) { c.close(hSave); }), box);
        EXPECT_TRUE(seen.empty());
        EXPECT_EQ(box.selected, kPlaceholder);
        ExpectListed(system, box, {kHome});
    }
}

TEST(SaveConfiguration, WithoutANamedConnectionNothingCanBeSaved)
{
    for (const bool bUnnamed : {false, true}) {
        SCOPED_TRACE(bUnnamed ? "an unnamed connection" : "no connection at all");
        CTestSystem system;
        if (bUnnamed)
            system.AddConnection(std::nullopt, kLabNow);
        system.WriteConfig([](CConfigList& list) { AddAll(list, {kHome}); });
        ConfigurationBox box;
        const std::string refusal = "No network connection is selected.";
        std::vector<MessageBoxSeen> seen;
        {
            // With no adapter at all the start says so first.
            CMessageBoxAnswerer answerer({{IDOK, bUnnamed ? refusal : "Cannot get informations"}, {IDOK, refusal}});
            RunMainDialog(system,
                          {[](CDrivenTolviDlg& d) { Click(d.Item(IDC_SAVE)); }, WhenIdle([&](CDrivenTolviDlg& d) {
                               box = BoxOf(d);
                               Exit(d);
                           })});
            seen = answerer.Seen();
        }
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().text, refusal);
        ExpectListed(system, box, {kHome});
    }
}

TEST(ConfigurationNames, AreCutAtTheirLimitWhileTyped)
{
    CTestSystem system;
    Prepare(system, {kHome});
    const std::string typed(600, 'x');
    std::string cyrillic = "y"; // then two bytes a character
    while (cyrillic.size() < 1200)
        cyrillic += "я";
    std::vector<Step> steps = InDialog(IDC_SAVE, kSaveTitle, [&](CDrivenTolviDlg&, HWND hSave) {
        TypeChars(ComboEdit(::GetDlgItem(hSave, IDC_COMBO_NAME)), typed);
        Click(::GetDlgItem(hSave, IDOK));
    });
    steps.push_back(WhenIdle(
        [](CDrivenTolviDlg& d) { EXPECT_EQ(SelectedText(d.Item(IDC_COMBO_CONFIGURATION)), std::string(512, 'x')); }));
    Append(steps, InDialog(IDC_RENAME, kRenameTitle, [&](CDrivenTolviDlg&, HWND hRename) {
               // The old name is selected, so typing replaces it.
               TypeChars(::GetDlgItem(hRename, IDC_EDIT_NAME), cyrillic);
               Click(::GetDlgItem(hRename, IDOK));
           }));
    ConfigurationBox box;
    EXPECT_TRUE(RunSteps(system, steps, box).empty());
    // 512 characters typed, as many whole ones kept as the field's 512 bytes hold.
    EXPECT_EQ(box.selected, cyrillic.substr(0, 511));
    ExpectFile(system, {kHome, LabAs(cyrillic.substr(0, 511))});
}

TEST(ConfigurationNames, ThePlaceholdersNameIsReserved)
{
    const std::string reserved = "This name is reserved.";
    {
        SCOPED_TRACE("saving under it");
        CTestSystem system;
        Prepare(system, {kHome});
        ConfigurationBox box;
        const auto seen = RunSteps(system,
                                   InDialog(IDC_SAVE, kSaveTitle,
                                            [&](CDrivenTolviDlg&, HWND hSave) {
                                                ::SetDlgItemTextA(hSave, IDC_COMBO_NAME, kPlaceholder.c_str());
                                                Click(::GetDlgItem(hSave, IDOK));
                                            }),
                                   box, {{IDOK, reserved}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, reserved);
        ExpectListed(system, box, {kHome});
    }
    {
        SCOPED_TRACE("renaming to it");
        CTestSystem system;
        Prepare(system, {kHome, kOffice});
        std::vector<Step> steps{[](CDrivenTolviDlg& d) { ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "home"); }};
        Append(steps, InDialog(IDC_RENAME, kRenameTitle, [&](CDrivenTolviDlg&, HWND hRename) {
                   ::SetDlgItemTextA(hRename, IDC_EDIT_NAME, kPlaceholder.c_str());
                   Click(::GetDlgItem(hRename, IDOK));
               }));
        ConfigurationBox box;
        const auto seen = RunSteps(system, steps, box, {{IDOK, reserved}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, reserved);
        ExpectListed(system, box, {kHome, kOffice});
    }
    {
        SCOPED_TRACE("a configuration of that name in the file");
        CTestSystem system;
        const TestRecord squatter = LabAs(kPlaceholder);
        Prepare(system, {kHome, squatter});
        ConfigurationBox box;
        std::string selected;
        // It equals the settings shown, so it is selected; neither button acts on it.
        const auto seen =
            RunSteps(system, {[&](CDrivenTolviDlg& d) {
                         selected = SelectedText(d.Item(IDC_COMBO_CONFIGURATION));
                         EXPECT_EQ(::SendMessageA(d.Item(IDC_COMBO_CONFIGURATION), CB_GETCURSEL, 0, 0), 1);
                         ClickNow(d.Item(IDC_RENAME));
                         ClickNow(d.Item(IDC_DELETE));
                     }},
                     box);
        EXPECT_EQ(selected, kPlaceholder);
        EXPECT_TRUE(seen.empty());
        ExpectFile(system, {kHome, squatter});
    }
}

TEST(RenameConfiguration, KeepsTheSettingsAndThePlaceAndRefusesATakenName)
{
    struct Case {
        const char* what;
        std::string newName; // typed over the selected old name
        int nClose;
        std::vector<std::string> messages;
        std::vector<TestRecord> after;
        std::string selected;
    };
    TestRecord house = kHome;
    house.name = "house";
    TestRecord unnamed = kHome;
    unnamed.name = "";
    const std::string taken = "There is a configuration that have same name.";
    const Case cases[] = {
        {"a new name", "house", IDOK, {}, {house, kOffice}, "house"},
        {"its own name", "home", IDOK, {}, {kHome, kOffice}, "home"},
        {"the name of another", "office", IDOK, {taken}, {kHome, kOffice}, "home"},
        {"an empty name", "", IDOK, {}, {unnamed, kOffice}, ""},
        {"cancelled", "house", IDCANCEL, {}, {kHome, kOffice}, "home"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTestSystem system;
        Prepare(system, {kHome, kOffice});
        std::string shown = "not read";
        DWORD selStart = 1, selEnd = 0;
        std::vector<Step> steps{[](CDrivenTolviDlg& d) { ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "home"); }};
        Append(steps, InDialog(IDC_RENAME, kRenameTitle, [&](CDrivenTolviDlg&, HWND hRename) {
                   const HWND hEdit = ::GetDlgItem(hRename, IDC_EDIT_NAME);
                   shown = CWnd::TextOf(hEdit);
                   ::SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                  reinterpret_cast<LPARAM>(&selEnd));
                   if (c.newName.empty())
                       ::SendMessageA(hEdit, WM_CHAR, VK_BACK, 1);
                   TypeChars(hEdit, c.newName);
                   if (std::string(c.what) == "a new name")
                       SaveWindowShot(hRename, "rename");
                   Click(::GetDlgItem(hRename, c.nClose));
               }));
        ConfigurationBox box;
        const auto seen =
            c.messages.empty() ? RunSteps(system, steps, box) : RunSteps(system, steps, box, {{IDOK, taken}});
        EXPECT_EQ(shown, "home");
        EXPECT_EQ(selStart, 0u);
        EXPECT_EQ(selEnd, 4u) << "the old name starts selected";
        std::vector<std::string> texts;
        for (const MessageBoxSeen& s : seen)
            texts.push_back(s.text);
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(box.selected, c.selected);
        ExpectListed(system, box, c.after);
    }
}

TEST(DeleteConfiguration, AsksFirstAndRefreshesTheBoxWhateverTheAnswer)
{
    TestRecord homeToo = kHome;
    homeToo.name = "home too";
    struct Case {
        int nAnswer;
        std::vector<TestRecord> after;
        std::string selected;
    };
    // The fields show "home too", which "home" equals: a refresh selects "home".
    const Case cases[] = {
        {IDNO, {kHome, homeToo, kOffice}, "home"},
        {IDYES, {kHome, kOffice}, "home"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nAnswer == IDYES ? "Yes" : "No");
        CTestSystem system;
        Prepare(system, {kHome, homeToo, kOffice});
        ConfigurationBox box;
        const std::string question = "Are you sure to delete configuration named 'home too'?";
        const auto seen = RunSteps(system, {[](CDrivenTolviDlg& d) {
                                       ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "home too");
                                       EXPECT_EQ(SelectedText(d.Item(IDC_COMBO_CONFIGURATION)), "home too");
                                       Click(d.Item(IDC_DELETE));
                                   }},
                                   box, {{c.nAnswer, question}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].text, question);
        EXPECT_TRUE(seen[0].hasYes && seen[0].hasNo && seen[0].hasIcon);
        EXPECT_EQ(box.selected, c.selected);
        ExpectListed(system, box, c.after);
    }
    {
        SCOPED_TRACE("the last one of its settings");
        CTestSystem system;
        Prepare(system, {kHome, kOffice});
        ConfigurationBox box;
        RunSteps(system, {[](CDrivenTolviDlg& d) {
                     ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "office");
                     Click(d.Item(IDC_DELETE));
                 }},
                 box, {{IDYES, "'office'"}});
        EXPECT_EQ(box.selected, kPlaceholder);
        ExpectListed(system, box, {kHome});
    }
}

TEST(RearrangeConfigurations, WithoutConfigurationsSaysSoInsteadOfOpening)
{
    CTestSystem system;
    Prepare(system, {});
    ConfigurationBox box;
    const auto seen = RunSteps(system, {[](CDrivenTolviDlg& d) { Click(d.Item(IDC_REARRANGE)); }}, box,
                               {{IDOK, "There is no configuration."}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "There is no configuration.");
    EXPECT_TRUE(seen[0].hasIcon);
}

TEST(RearrangeConfigurations, MovingUpTwiceBringsTheLastToTheTop)
{
    const TestRecord a = LabAs("A");
    TestRecord b = kOffice, c = kHome;
    b.name = "B";
    c.name = "C";
    CTestSystem system;
    Prepare(system, {a, b, c});
    std::vector<std::string> atStart, afterUps;
    int startSelection = -1, selectionAfterUps = -1;
    std::vector<std::string> afterEdges;
    std::vector<Step> steps = InDialog(IDC_REARRANGE, kRearrangeTitle, [&](CDrivenTolviDlg&, HWND hDlg) {
        const HWND hList = ::GetDlgItem(hDlg, IDC_LIST_CONFIGURATIONS);
        atStart = ListEntries(hList);
        startSelection = ListSelection(hList);
        ::SendMessageA(hList, LB_SETCURSEL, 2, 0);
        ClickNow(::GetDlgItem(hDlg, IDC_UP));
        ClickNow(::GetDlgItem(hDlg, IDC_UP));
        afterUps = ListEntries(hList);
        selectionAfterUps = ListSelection(hList);
        SaveWindowShot(hDlg, "rearrange");
        // Up on the first, then Down on the last.
        ClickNow(::GetDlgItem(hDlg, IDC_UP));
        ::SendMessageA(hList, LB_SETCURSEL, 2, 0);
        ClickNow(::GetDlgItem(hDlg, IDC_DOWN));
        afterEdges = ListEntries(hList);
        Click(::GetDlgItem(hDlg, IDOK));
    });
    ConfigurationBox box;
    EXPECT_TRUE(RunSteps(system, steps, box).empty());
    EXPECT_EQ(atStart, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(startSelection, 0);
    EXPECT_EQ(afterUps, (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(selectionAfterUps, 0);
    EXPECT_EQ(afterEdges, afterUps);
    ExpectListed(system, box, {c, a, b});
}

TEST(RearrangeConfigurations, EveryNameKeepsItsOwnSettingsThroughAnyMoves)
{
    std::vector<TestRecord> model;
    for (int k = 0; k < 5; ++k) {
        TestRecord r = LabAs("profile " + std::to_string(k));
        r.ip += static_cast<std::uint32_t>(k) << 24;
        r.dhcpDns = k % 2;
        model.push_back(r);
    }
    CTestSystem system;
    Prepare(system, model);
    // Selections and directions, edges included; the dialog is then closed
    // by its close box, which keeps the order as OK does.
    struct Move {
        int nSelect;
        bool bUp;
    };
    const Move moves[] = {{4, true},  {3, true}, {2, true}, {0, true}, {0, false}, {1, false}, {4, false},
                          {2, false}, {3, true}, {1, true}, {4, true}, {2, false}, {0, false}, {3, false}};
    std::vector<std::string> failures;
    std::vector<Step> steps = InDialog(IDC_REARRANGE, kRearrangeTitle, [&](CDrivenTolviDlg&, HWND hDlg) {
        const HWND hList = ::GetDlgItem(hDlg, IDC_LIST_CONFIGURATIONS);
        for (const Move& m : moves) {
            ::SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(m.nSelect), 0);
            ClickNow(::GetDlgItem(hDlg, m.bUp ? IDC_UP : IDC_DOWN));
            const int other = m.bUp ? m.nSelect - 1 : m.nSelect + 1;
            const bool bMoves = other >= 0 && other < static_cast<int>(model.size());
            if (bMoves)
                std::swap(model[static_cast<std::size_t>(m.nSelect)], model[static_cast<std::size_t>(other)]);
            std::vector<std::string> expected = Names(model);
            expected.pop_back();
            EXPECT_EQ(ListEntries(hList), expected) << "after moving " << m.nSelect << (m.bUp ? " up" : " down");
            EXPECT_EQ(ListSelection(hList), bMoves ? other : m.nSelect);
        }
        ::PostMessageA(hDlg, WM_CLOSE, 0, 0);
    });
    ConfigurationBox box;
    EXPECT_TRUE(RunSteps(system, steps, box).empty());
    ExpectListed(system, box, model);
}

TEST(AdvancedSettings, FurtherAddressesAndGatewaysGoIntoTheFieldsTheIndicatorAndTheSavedConfiguration)
{
    CTestSystem system;
    Prepare(system, {kOffice});
    const auto lists = [](HWND hAdvanced) {
        return std::vector<std::vector<std::string>>{ListEntries(::GetDlgItem(hAdvanced, IDC_LIST_ADDRESSES)),
                                                     ListEntries(::GetDlgItem(hAdvanced, IDC_LIST_GATEWAYS))};
    };
    const auto more = [](CDrivenTolviDlg& d) { return CWnd::TextOf(d.Item(IDC_MORE_ADDRESSES)); };
    std::vector<std::vector<std::string>> atStart, moved, reopened;
    std::vector<std::string> fields, indicators;
    bool bEnabledWithDhcp = true;
    std::vector<Step> steps = InDialog(IDC_ADVANCED, kAdvancedTitle, [&](CDrivenTolviDlg&, HWND hAdvanced) {
        atStart = lists(hAdvanced);
        Click(::GetDlgItem(hAdvanced, IDC_ADD_ADDRESS));
    });
    // A mask of ones after zeros is refused, and the entry stays open for another.
    for (const char* pszMask : {"255.0.255.0", "255.255.0.0"})
        steps.push_back(WhenOpen("TCP/IP Address", [pszMask](CDrivenTolviDlg&, HWND hEntry) {
            SetAddressText(hEntry, IDC_ENTRY_ADDRESS, "10.20.0.7");
            SetAddressText(hEntry, IDC_ENTRY_MASK, pszMask);
            SaveWindowShot(hEntry, "advanced-address");
            Click(::GetDlgItem(hEntry, IDOK));
        }));
    steps.push_back(
        WhenOpen(kAdvancedTitle, [](CDrivenTolviDlg&, HWND h) { Click(::GetDlgItem(h, IDC_ADD_GATEWAY)); }));
    steps.push_back(WhenOpen("TCP/IP Gateway Address", [](CDrivenTolviDlg&, HWND hEntry) {
        SetAddressText(hEntry, IDC_ENTRY_ADDRESS, "10.20.0.1");
        ::SetDlgItemTextA(hEntry, IDC_ENTRY_METRIC, "20");
        SaveWindowShot(hEntry, "advanced-gateway");
        Click(::GetDlgItem(hEntry, IDOK));
    }));
    // The address added is selected; moved up, it becomes the first.
    steps.push_back(WhenOpen(kAdvancedTitle, [&](CDrivenTolviDlg&, HWND hAdvanced) {
        EXPECT_EQ(ListSelection(::GetDlgItem(hAdvanced, IDC_LIST_ADDRESSES)), 1);
        ClickNow(::GetDlgItem(hAdvanced, IDC_ADDRESS_UP));
        moved = lists(hAdvanced);
        SaveWindowShot(hAdvanced, "advanced");
        Click(::GetDlgItem(hAdvanced, IDOK));
    }));
    steps.push_back(WhenIdle([&](CDrivenTolviDlg& d) {
        for (const int nID : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY})
            fields.push_back(AddressText(d.Item(nID)));
        indicators.push_back(more(d));
        SaveWindowShot(d.m_hWnd, "main-advanced");
        Click(d.Item(IDC_SAVE));
    }));
    steps.push_back(WhenOpen(kSaveTitle, [](CDrivenTolviDlg&, HWND hSave) {
        TypeChars(ComboEdit(::GetDlgItem(hSave, IDC_COMBO_NAME)), "two nets");
        Click(::GetDlgItem(hSave, IDOK));
    }));
    // Chosen again after another, the saved configuration shows its lists whole.
    steps.push_back(WhenIdle([&](CDrivenTolviDlg& d) {
        for (const char* pszName : {"office", "two nets"}) {
            ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, pszName);
            indicators.push_back(more(d));
        }
        Click(d.Item(IDC_ADVANCED));
    }));
    steps.push_back(WhenOpen(kAdvancedTitle, [&](CDrivenTolviDlg&, HWND hAdvanced) {
        reopened = lists(hAdvanced);
        Click(::GetDlgItem(hAdvanced, IDCANCEL));
    }));
    steps.push_back(WhenIdle([&](CDrivenTolviDlg& d) {
        ClickNow(d.Item(IDC_RADIO_IP_DHCP));
        bEnabledWithDhcp = ::IsWindowEnabled(d.Item(IDC_ADVANCED)) != FALSE;
        indicators.push_back(more(d));
    }));
    const std::string badMask = "The subnet mask is not valid: its ones come first, as in 255.255.255.0.";
    ConfigurationBox box;
    const auto seen = RunSteps(system, steps, box, {{IDOK, badMask}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, badMask);
    using Lists = std::vector<std::vector<std::string>>;
    EXPECT_EQ(atStart, (Lists{{"192.168.5.7 \t255.255.255.0"}, {"192.168.5.1 \t1"}}));
    const Lists both{{"10.20.0.7 \t255.255.0.0", "192.168.5.7 \t255.255.255.0"}, {"192.168.5.1 \t1", "10.20.0.1 \t20"}};
    EXPECT_EQ(moved, both);
    EXPECT_EQ(reopened, both);
    EXPECT_EQ(fields, (std::vector<std::string>{"10.20.0.7", "255.255.0.0", "192.168.5.1"}));
    const std::string twoMore = "+1 address, +1 gateway";
    EXPECT_EQ(indicators, (std::vector<std::string>{twoMore, "", twoMore, ""}));
    EXPECT_FALSE(bEnabledWithDhcp);
    TestRecord twoNets = LabAs("two nets");
    twoNets.ip = Ip("10.20.0.7");
    twoNets.mask = Ip("255.255.0.0");
    twoNets.moreAddresses = {{Ipv4Addr::Parse("192.168.5.7"), Ipv4Addr::Parse("255.255.255.0")}};
    twoNets.moreGateways = {{Ipv4Addr::Parse("10.20.0.1"), 20}};
    ExpectListed(system, box, {kOffice, twoNets});
}

} // namespace

// Installed and run by a user without administrator rights, the window asks
// before a change: Yes starts Tolvi again elevated and ends this one, No
// changes nothing.
TEST(ChangesWithoutRights, AreOfferedARestartWithAdministratorRights)
{
    const std::string question = "Changing configurations, preferences or start-up, or applying settings that are not "
                                 "saved, needs administrator rights.\n\nRestart Tolvi with administrator rights to "
                                 "make the change?";
    for (const int nAnswer : {IDNO, IDYES}) {
        CTestSystem system;
        system.elevation.bAdministrator = false;
        system.elevation.bServiceInstalled = true;
        Prepare(system, {kOffice});
        ConfigurationBox box;
        const auto seen =
            RunSteps(system,
                     {[](CDrivenTolviDlg& d) { ChooseEntry(d.m_hWnd, IDC_COMBO_CONFIGURATION, "office"); },
                      [](CDrivenTolviDlg& d) { Click(d.Item(IDC_DELETE)); }},
                     box, {{nAnswer, question}});
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(system.elevation.elevatedRuns.size(), nAnswer == IDYES ? 1u : 0u);
        ExpectFile(system, {kOffice});
    }
}

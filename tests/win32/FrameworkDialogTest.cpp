#include "DialogTesting.h"
#include "TestDialogs.h"

#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/IPAddressCtrl.h"
#include "framework/ListBox.h"
#include "framework/ThreadMessagePump.h"
#include "framework/WinThread.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 1;
constexpr UINT WM_TEST_PROBE = WM_APP + 2;
constexpr UINT WM_TEST_COUNT = WM_APP + 3;
constexpr UINT_PTR kWatchdogTimer = 1;
constexpr UINT kWatchdogMs = 5000;
constexpr int kTimedOut = 0x7E57;
constexpr int kRadios[] = {IDC_TEST_RADIO_FIRST, IDC_TEST_RADIO_SECOND, IDC_TEST_RADIO_THIRD};

struct KeySeen {
    HWND hWnd;
    WPARAM key;
    bool operator==(const KeySeen&) const = default;
};

void PrintTo(const KeySeen& seen, std::ostream* os)
{
    *os << "{hwnd " << seen.hWnd << ", key " << seen.key << "}";
}

// The fixed field between guards, so that a write past either end shows.
struct GuardedField {
    char before[4] = {'<', '<', '<', '<'};
    char field[8] = {};
    char after[4] = {'>', '>', '>', '>'};

    bool GuardsIntact() const { return std::memcmp(before, "<<<<", 4) == 0 && std::memcmp(after, ">>>>", 4) == 0; }
};

// A dialog that runs a test's steps inside its own modal loop, one posted
// message each, so that what a step posts is handled before the next step.
// A watchdog timer ends a run whose steps forgot to.
class CTestDialog : public CDialog {
public:
    using Step = std::function<void(CTestDialog&)>;

    explicit CTestDialog(UINT nIDTemplate = IDD_FRAMEWORK_TEST, CWnd* pParent = nullptr)
        : CDialog(nIDTemplate, pParent), m_bExchange(nIDTemplate == IDD_FRAMEWORK_TEST)
    {
        static const bool registered = [] {
            INITCOMMONCONTROLSEX controls{sizeof controls, ICC_INTERNET_CLASSES | ICC_STANDARD_CLASSES};
            return ::InitCommonControlsEx(&controls) != FALSE;
        }();
        EXPECT_TRUE(registered);
    }

    std::vector<Step> m_steps;
    std::optional<int> m_endInInit;
    bool m_bSwallowEscape = false;
    HBRUSH m_hDialogBrush = nullptr;

    std::string m_name;
    GuardedField m_short;
    int m_radio = 0;
    int m_check = BST_UNCHECKED;
    Ipv4Addr m_address; // through the control in control order
    CComboBox m_combo;
    CListBox m_list;
    CIPAddressCtrl m_ip;

    std::vector<KeySeen> m_keys;
    std::size_t m_stepsRun = 0;
    int m_extraClicks = 0;
    int m_counted = 0;
    int m_fieldChanges = 0;
    NMIPADDRESS m_lastFieldChange{};
    int m_shows = 0;
    bool m_bEverVisible = false;
    int m_ncDestroys = 0;
    bool m_bTimedOut = false;

    HWND Item(int nID) const { return GetDlgItem(nID); }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::SetTimer(m_hWnd, kWatchdogTimer, kWatchdogMs, nullptr);
        if (m_endInInit)
            EndDialog(*m_endInInit);
        if (!m_steps.empty())
            PostMessage(WM_TEST_STEP);
        return TRUE;
    }

    void DoDataExchange(CDataExchange& dx) override
    {
        if (!m_bExchange)
            return;
        DDX_Control(dx, IDC_TEST_COMBO, m_combo);
        DDX_Control(dx, IDC_TEST_LIST, m_list);
        DDX_Control(dx, IDC_TEST_IP, m_ip);
        DDX_Text(dx, IDC_TEST_NAME, m_name);
        DDX_Text(dx, IDC_TEST_SHORT, m_short.field);
        DDX_Radio(dx, IDC_TEST_RADIO_FIRST, m_radio);
        DDX_Check(dx, IDC_TEST_CHECK, m_check);
        DDX_IPAddress(dx, IDC_TEST_IP, m_address);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN) {
            m_keys.push_back({pMsg->hwnd, pMsg->wParam});
            if (m_bSwallowEscape && pMsg->wParam == VK_ESCAPE)
                return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }

    void PostNcDestroy() override { ++m_ncDestroys; }

protected:
    std::span<const MessageMapEntry> GetMessageMap() const override
    {
        static const MessageMapEntry kMessageMap[] = {
            OnMessage(WM_TEST_STEP, &CTestDialog::OnStep),
            OnMessage(WM_TIMER, &CTestDialog::OnTimer),
            OnMessage(WM_SHOWWINDOW, &CTestDialog::OnShowWindow),
            OnMessage(WM_WINDOWPOSCHANGED, &CTestDialog::OnWindowPosChanged),
            OnCommand(IDC_TEST_EXTRA, BN_CLICKED, &CTestDialog::OnExtra),
            OnNotify(IDC_TEST_IP, IPN_FIELDCHANGED, &CTestDialog::OnFieldChanged),
            OnMessage(WM_TEST_PROBE, &CTestDialog::OnProbeOne),
            OnMessage(WM_TEST_PROBE, &CTestDialog::OnProbeTwo),
            OnMessage(WM_TEST_COUNT, &CTestDialog::OnCount),
            OnMessage(WM_CTLCOLORDLG, &CTestDialog::OnCtlColorDlg),
        };
        return kMessageMap;
    }

private:
    bool OnStep(WPARAM, LPARAM, LRESULT&)
    {
        if (m_stepsRun < m_steps.size()) {
            const Step step = m_steps[m_stepsRun++];
            step(*this);
            if (m_hWnd && m_stepsRun < m_steps.size())
                PostMessage(WM_TEST_STEP);
        }
        return true;
    }
    bool OnTimer(WPARAM wParam, LPARAM, LRESULT&)
    {
        if (wParam != kWatchdogTimer)
            return false;
        ::KillTimer(m_hWnd, kWatchdogTimer);
        m_bTimedOut = true;
        EndDialog(kTimedOut);
        return true;
    }
    // Both only watch: the default handling goes on.
    bool OnShowWindow(WPARAM wParam, LPARAM, LRESULT&)
    {
        if (wParam)
            ++m_shows;
        return false;
    }
    bool OnWindowPosChanged(WPARAM, LPARAM, LRESULT&)
    {
        m_bEverVisible = m_bEverVisible || ::IsWindowVisible(m_hWnd);
        return false;
    }
    void OnExtra() { ++m_extraClicks; }
    void OnFieldChanged(NMHDR& header, LRESULT& result)
    {
        auto& change = reinterpret_cast<NMIPADDRESS&>(header);
        ++m_fieldChanges;
        m_lastFieldChange = change;
        change.iValue = 99;
        result = 5;
    }
    bool OnProbeOne(WPARAM wParam, LPARAM, LRESULT& result)
    {
        if (wParam != 1)
            return false;
        result = 1001;
        return true;
    }
    bool OnProbeTwo(WPARAM wParam, LPARAM, LRESULT& result)
    {
        if (wParam != 2)
            return false;
        result = 2002;
        return true;
    }
    bool OnCount(WPARAM, LPARAM, LRESULT&)
    {
        ++m_counted;
        return true;
    }
    bool OnCtlColorDlg(WPARAM, LPARAM, LRESULT& result)
    {
        if (!m_hDialogBrush)
            return false;
        result = reinterpret_cast<LRESULT>(m_hDialogBrush);
        return true;
    }

    const bool m_bExchange;
};

// Runs the dialog modally; a run its watchdog had to end fails the test.
INT_PTR RunModal(CTestDialog& dialog)
{
    const INT_PTR result = dialog.DoModal();
    EXPECT_FALSE(dialog.m_bTimedOut) << "the steps did not end the dialog";
    EXPECT_EQ(dialog.m_ncDestroys, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    return result;
}

std::vector<int> RadioChecks(const CTestDialog& dialog)
{
    std::vector<int> checks;
    for (const int nID : kRadios)
        checks.push_back(static_cast<int>(::SendMessageA(dialog.Item(nID), BM_GETCHECK, 0, 0)));
    return checks;
}

void SetRadioChecks(const CTestDialog& dialog, int checkedIndex)
{
    for (int i = 0; i < 3; ++i)
        ::SendMessageA(dialog.Item(kRadios[i]), BM_SETCHECK, i == checkedIndex ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetField(GuardedField& field, const char* pszText, std::size_t length)
{
    std::memset(field.field, 0, sizeof field.field);
    std::memcpy(field.field, pszText, length);
}

TEST(FrameworkDialog, DataExchangeShowsTheMembersInTheControls)
{
    struct Case {
        const char* name;
        int radio;
        int check;
        std::uint32_t address;
        const char* fixed; // up to 8 characters, without a terminator when 8
        std::vector<int> radioChecks;
        bool blankAddress;
        bool screenshot;
    };
    const Case cases[] = {
        {"second radio, address", 1, BST_CHECKED, 0xC0A80001, "abc", {0, 1, 0}, false, true},
        {"first radio, no address", 0, BST_UNCHECKED, 0, "", {1, 0, 0}, true},
        {"third radio, full field", 2, BST_CHECKED, 0x0A000001, "ABCDEFGH", {0, 0, 1}, false},
        {"no radio", -1, BST_UNCHECKED, 0xFFFFFFFF, "x", {0, 0, 0}, false},
        {"Сеть, filling the field", 0, BST_UNCHECKED, 0x0A000002, "Сеть", {1, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDialog dialog;
        dialog.m_name = std::string("name of ") + c.name;
        SetField(dialog.m_short, c.fixed, std::strlen(c.fixed));
        std::memcpy(dialog.m_short.after, "ZZZZ", 4); // shows if the field is read past its end
        dialog.m_radio = c.radio;
        dialog.m_check = c.check;
        dialog.m_address = Ipv4Addr::FromControlOrder(c.address);
        dialog.m_steps = {[&](CTestDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_TEST_NAME), d.m_name);
            EXPECT_EQ(d.GetDlgItemText(IDC_TEST_SHORT), c.fixed);
            wchar_t shown[16] = {};
            ::GetWindowTextW(d.Item(IDC_TEST_SHORT), shown, 16);
            EXPECT_EQ(shown, Wide(c.fixed)); // the control holds the characters, not their bytes
            EXPECT_EQ(RadioChecks(d), c.radioChecks);
            EXPECT_EQ(::SendMessageA(d.Item(IDC_TEST_CHECK), BM_GETCHECK, 0, 0), c.check);
            EXPECT_EQ(::SendMessageA(d.Item(IDC_TEST_IP), IPM_ISBLANK, 0, 0) != 0, c.blankAddress);
            DWORD address = 0;
            const LRESULT filled =
                ::SendMessageA(d.Item(IDC_TEST_IP), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
            EXPECT_EQ(filled, c.blankAddress ? 0 : 4);
            EXPECT_EQ(address, c.address);
            if (c.screenshot) {
                ::RedrawWindow(d.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                ::GdiFlush();
                const std::string path = SaveWindowShot(d.m_hWnd, "framework-test-dialog");
                if (std::getenv("TOLVI_SCREENSHOTS")) {
                    EXPECT_FALSE(path.empty());
                }
            }
            // Cancel leaves the members as they were.
            d.SetDlgItemText(IDC_TEST_NAME, "changed");
            SetRadioChecks(d, 0);
            Click(d.Item(IDCANCEL));
        }};
        EXPECT_EQ(RunModal(dialog), IDCANCEL);
        EXPECT_EQ(dialog.m_name, std::string("name of ") + c.name);
        EXPECT_EQ(dialog.m_radio, c.radio);
        EXPECT_EQ(dialog.m_stepsRun, 1u);
    }
}

TEST(FrameworkDialog, OkSavesTheControlsIntoTheMembers)
{
    struct Case {
        const char* name;
        int checkedRadio; // -1: none
        int check;
        std::optional<std::uint32_t> address; // none: cleared
        const char* text;
        const char* fixed;
        const char* savedFixed;
    };
    const Case cases[] = {
        {"third radio, address", 2, BST_CHECKED, 0x0A010203, "second", "xyz", "xyz"},
        {"nothing chosen", -1, BST_UNCHECKED, std::nullopt, "", "", ""},
        {"long text into the fixed field", 0, BST_UNCHECKED, 0xC0A80001, "twenty characters!!!", "ABCDEFGHIJKLMNOPQRST",
         "ABCDEFG"},
        {"Cyrillic cut at a whole character", 1, BST_CHECKED, 0x0A000003, "Сеть 2", "Сеть 2", "Сет"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDialog dialog;
        dialog.m_name = "router one";
        SetField(dialog.m_short, "old", 3);
        dialog.m_radio = 1;
        dialog.m_check = c.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        dialog.m_address = Ipv4Addr::FromControlOrder(0x7F000001);
        dialog.m_steps = {[&](CTestDialog& d) {
            ::SetDlgItemTextW(d.m_hWnd, IDC_TEST_NAME, Wide(c.text).c_str());
            ::SetDlgItemTextW(d.m_hWnd, IDC_TEST_SHORT, Wide(c.fixed).c_str());
            SetRadioChecks(d, c.checkedRadio);
            ::SendMessageA(d.Item(IDC_TEST_CHECK), BM_SETCHECK, static_cast<WPARAM>(c.check), 0);
            if (c.address)
                ::SendMessageA(d.Item(IDC_TEST_IP), IPM_SETADDRESS, 0, static_cast<LPARAM>(*c.address));
            else
                ::SendMessageA(d.Item(IDC_TEST_IP), IPM_CLEARADDRESS, 0, 0);
            Click(d.Item(IDOK));
        }};
        EXPECT_EQ(RunModal(dialog), IDOK);
        EXPECT_EQ(dialog.m_name, c.text);
        EXPECT_EQ(dialog.m_radio, c.checkedRadio);
        EXPECT_EQ(dialog.m_check, c.check);
        EXPECT_EQ(dialog.m_address.ControlOrder(), c.address.value_or(0));
        char expected[8] = {};
        std::memcpy(expected, c.savedFixed, std::strlen(c.savedFixed));
        EXPECT_EQ(std::memcmp(dialog.m_short.field, expected, sizeof expected), 0)
            << std::string(dialog.m_short.field, sizeof dialog.m_short.field);
        EXPECT_TRUE(dialog.m_short.GuardsIntact());
    }
}

TEST(FrameworkDialog, ControlWrappersDriveTheBoundControls)
{
    CTestDialog dialog;
    dialog.m_steps = {[](CTestDialog& d) {
        EXPECT_EQ(d.m_combo.m_hWnd, d.Item(IDC_TEST_COMBO));
        EXPECT_EQ(d.m_list.m_hWnd, d.Item(IDC_TEST_LIST));
        EXPECT_EQ(d.m_ip.m_hWnd, d.Item(IDC_TEST_IP));

        for (const char* psz : {"alpha", "beta", "Сеть 2"})
            d.m_combo.AddString(psz);
        EXPECT_EQ(d.m_combo.GetCount(), 3);
        EXPECT_EQ(d.m_combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(d.m_combo.SetCurSel(2), 2);
        EXPECT_EQ(d.m_combo.GetCurSel(), 2);
        EXPECT_EQ(d.m_combo.GetLBText(2), "Сеть 2");
        EXPECT_EQ(d.m_combo.GetLBText(3), "");
        EXPECT_EQ(d.m_combo.FindStringExact(-1, "beta"), 1);
        EXPECT_EQ(d.m_combo.FindStringExact(-1, "bet"), CB_ERR);
        EXPECT_EQ(d.m_combo.FindStringExact(-1, "сеть 2"), 2); // letter case is the control's, in Cyrillic too
        EXPECT_EQ(d.m_combo.InsertString(0, "first"), 0);
        EXPECT_EQ(d.m_combo.GetLBText(1), "alpha");
        EXPECT_EQ(d.m_combo.DeleteString(0), 3);
        d.m_combo.ResetContent();
        EXPECT_EQ(d.m_combo.GetCount(), 0);

        for (const char* psz : {"one", "two"})
            d.m_list.AddString(psz);
        EXPECT_EQ(d.m_list.InsertString(1, "between"), 1);
        EXPECT_EQ(d.m_list.GetText(1), "between");
        EXPECT_EQ(d.m_list.GetText(2), "two");
        EXPECT_EQ(d.m_list.GetText(5), "");
        EXPECT_EQ(d.m_list.SetCurSel(2), 2);
        EXPECT_EQ(d.m_list.GetCurSel(), 2);
        EXPECT_EQ(d.m_list.DeleteString(0), 2);
        EXPECT_EQ(d.m_list.GetCount(), 2);

        d.m_ip.SetAddress(0x01020304);
        std::uint32_t address = 0;
        EXPECT_EQ(d.m_ip.GetAddress(address), 4);
        EXPECT_EQ(address, 0x01020304u);
        EXPECT_FALSE(d.m_ip.IsBlank());
        d.m_ip.ClearAddress();
        EXPECT_TRUE(d.m_ip.IsBlank());
        EXPECT_EQ(d.m_ip.GetAddress(address), 0);
        EXPECT_EQ(address, 0u);
        d.EndDialog(IDCANCEL);
    }};
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
}

TEST(FrameworkDialog, PreTranslateMessageSeesKeysBeforeTheDialogManager)
{
    CTestDialog dialog;
    dialog.m_bSwallowEscape = true;
    HWND hEdit = nullptr;
    HWND hField = nullptr;
    dialog.m_steps = {
        [&](CTestDialog& d) {
            hEdit = d.Item(IDC_TEST_NAME);
            PostKey(hEdit, VK_ESCAPE);
        },
        [&](CTestDialog& d) {
            EXPECT_EQ(d.m_keys, (std::vector<KeySeen>{{hEdit, VK_ESCAPE}}));
            // A field of the address control is the dialog's grandchild.
            hField = ::GetWindow(d.Item(IDC_TEST_IP), GW_CHILD);
            PostKey(hField, VK_F5);
        },
        [&](CTestDialog& d) {
            d.m_bSwallowEscape = false;
            PostKey(hEdit, VK_ESCAPE);
        },
    };
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    EXPECT_EQ(dialog.m_stepsRun, 3u) << "the swallowed Esc ended the dialog";
    ASSERT_NE(hField, nullptr);
    EXPECT_EQ(dialog.m_keys, (std::vector<KeySeen>{{hEdit, VK_ESCAPE}, {hField, VK_F5}, {hEdit, VK_ESCAPE}}));
}

TEST(FrameworkDialog, KeysPassedOnEndTheDialogThroughTheDialogManager)
{
    struct Case {
        const char* name;
        WPARAM key;
        INT_PTR result;
        const char* savedName;
    };
    const Case cases[] = {
        {"Enter presses the default OK", VK_RETURN, IDOK, "typed"},
        {"Esc cancels", VK_ESCAPE, IDCANCEL, "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDialog dialog;
        dialog.m_name = "before";
        HWND hEdit = nullptr;
        dialog.m_steps = {[&](CTestDialog& d) {
            hEdit = d.Item(IDC_TEST_NAME);
            d.SetDlgItemText(IDC_TEST_NAME, "typed");
            PostKey(hEdit, c.key);
        }};
        EXPECT_EQ(RunModal(dialog), c.result);
        EXPECT_EQ(dialog.m_keys, (std::vector<KeySeen>{{hEdit, c.key}}));
        EXPECT_EQ(dialog.m_name, c.savedName);
    }
}

TEST(FrameworkDialog, CommandRowsRunOnTheirControlAndCodeOnly)
{
    CTestDialog dialog;
    dialog.m_steps = {
        [](CTestDialog& d) { Click(d.Item(IDC_TEST_EXTRA)); },
        [](CTestDialog& d) {
            EXPECT_EQ(d.m_extraClicks, 1);
            EXPECT_TRUE(d.IsWindowVisible());
            const HWND hExtra = d.Item(IDC_TEST_EXTRA);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_EXTRA, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hExtra));
            Click(d.Item(IDC_TEST_CHECK));
        },
        [](CTestDialog& d) {
            EXPECT_EQ(d.m_extraClicks, 1);
            EXPECT_EQ(::SendMessageA(d.Item(IDC_TEST_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED) << "the click was lost";
            d.EndDialog(IDCANCEL);
        },
    };
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    EXPECT_EQ(dialog.m_stepsRun, 3u);
    EXPECT_EQ(dialog.m_shows, 1);
    EXPECT_TRUE(dialog.m_bEverVisible);
}

TEST(FrameworkDialog, NotifyRowsGetTheSendersHeaderAndReturnTheirResult)
{
    struct Case {
        const char* name;
        int idFrom;
        UINT code;
        bool handled;
    };
    const Case cases[] = {
        {"field changed", IDC_TEST_IP, IPN_FIELDCHANGED, true},
        {"another control", IDC_TEST_NAME, IPN_FIELDCHANGED, false},
        {"another code", IDC_TEST_IP, static_cast<UINT>(NM_SETFOCUS), false},
    };
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.m_fieldChanges = 0;
        NMIPADDRESS change{};
        change.hdr.hwndFrom = dialog.Item(c.idFrom);
        change.hdr.idFrom = static_cast<UINT_PTR>(c.idFrom);
        change.hdr.code = c.code;
        change.iField = 2;
        change.iValue = 77;
        const LRESULT result =
            dialog.SendMessage(WM_NOTIFY, static_cast<WPARAM>(c.idFrom), reinterpret_cast<LPARAM>(&change));
        EXPECT_EQ(dialog.m_fieldChanges, c.handled ? 1 : 0);
        EXPECT_EQ(result, c.handled ? 5 : 0);
        EXPECT_EQ(change.iValue, c.handled ? 99 : 77) << "the handler must see the sender's own structure";
        if (c.handled) {
            EXPECT_EQ(dialog.m_lastFieldChange.hdr.hwndFrom, dialog.Item(IDC_TEST_IP));
            EXPECT_EQ(dialog.m_lastFieldChange.iField, 2);
            EXPECT_EQ(dialog.m_lastFieldChange.iValue, 77);
        }
    }
}

TEST(FrameworkDialog, MessageRowsReturnTheirResultAndFallThroughWhenDeclining)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.m_hDialogBrush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LRESULT result;
    };
    const Case cases[] = {
        {"first row", WM_TEST_PROBE, 1, 1001},
        {"second row after the first declined", WM_TEST_PROBE, 2, 2002},
        {"no row takes it", WM_TEST_PROBE, 3, 0},
        // A brush comes back as the procedure's own result, not through DWLP_MSGRESULT.
        {"colour message", WM_CTLCOLORDLG, 0, reinterpret_cast<LRESULT>(dialog.m_hDialogBrush)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dialog.SendMessage(c.message, c.wParam, reinterpret_cast<LPARAM>(dialog.m_hWnd)), c.result);
    }
}

TEST(FrameworkDialog, EndDialogInOnInitDialogEndsTheRunBeforeItIsShown)
{
    CTestDialog owner;
    ASSERT_TRUE(owner.Create(IDD_FRAMEWORK_TEST));
    owner.ShowWindow(SW_SHOW);
    CTestDialog dialog(IDD_FRAMEWORK_CHILD, &owner);
    dialog.m_endInInit = 4321;
    dialog.m_steps = {[](CTestDialog& d) { d.EndDialog(IDCANCEL); }};
    EXPECT_EQ(RunModal(dialog), 4321);
    EXPECT_EQ(dialog.m_shows, 0);
    EXPECT_FALSE(dialog.m_bEverVisible);
    EXPECT_EQ(dialog.m_stepsRun, 0u) << "the loop ran after the run had ended";
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(FrameworkDialog, QuitMessageEndsTheModalRunAndStaysQueuedForTheOuterLoop)
{
    CTestDialog owner;
    ASSERT_TRUE(owner.Create(IDD_FRAMEWORK_TEST));
    owner.ShowWindow(SW_SHOW);
    CTestDialog dialog(IDD_FRAMEWORK_CHILD, &owner);
    dialog.m_steps = {[](CTestDialog&) { ::PostQuitMessage(9); }};
    RunModal(dialog);
    EXPECT_TRUE(owner.IsWindowEnabled());
    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(FrameworkDialog, ModalChildDisablesItsParentOnlyWhileItRuns)
{
    CTestDialog parent;
    INT_PTR childResult = 0;
    BOOL parentEnabledDuringChild = TRUE;
    HWND hParent = nullptr;
    HWND hChildOwner = nullptr;
    parent.m_steps = {[&](CTestDialog& p) {
        hParent = p.m_hWnd;
        CTestDialog child(IDD_FRAMEWORK_CHILD, &p);
        child.m_steps = {[&](CTestDialog& c) {
            parentEnabledDuringChild = p.IsWindowEnabled();
            hChildOwner = ::GetWindow(c.m_hWnd, GW_OWNER);
            c.EndDialog(IDOK);
        }};
        childResult = RunModal(child);
        EXPECT_TRUE(p.IsWindowEnabled());
        EXPECT_EQ(::GetActiveWindow(), p.m_hWnd) << "activation did not come back to the parent";
        p.EndDialog(IDCANCEL);
    }};
    EXPECT_EQ(RunModal(parent), IDCANCEL);
    EXPECT_EQ(childResult, IDOK);
    EXPECT_FALSE(parentEnabledDuringChild);
    EXPECT_EQ(hChildOwner, hParent);
}

TEST(FrameworkDialog, ModalChildLeavesADisabledParentDisabled)
{
    CTestDialog parent;
    ASSERT_TRUE(parent.Create(IDD_FRAMEWORK_TEST));
    parent.ShowWindow(SW_SHOW);
    parent.EnableWindow(FALSE);
    CTestDialog child(IDD_FRAMEWORK_CHILD, &parent);
    HWND hChildOwner = nullptr;
    child.m_steps = {[&](CTestDialog& c) {
        hChildOwner = ::GetWindow(c.m_hWnd, GW_OWNER);
        c.EndDialog(IDOK);
    }};
    EXPECT_EQ(RunModal(child), IDOK);
    EXPECT_EQ(hChildOwner, parent.m_hWnd);
    EXPECT_FALSE(parent.IsWindowEnabled());
}

TEST(FrameworkPump, HandleWaitingRoutesKeysOfAModelessDialogThroughItsPreTranslateMessage)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.ShowWindow(SW_SHOW);
    const HWND hDialog = dialog.m_hWnd;
    const HWND hEdit = dialog.Item(IDC_TEST_SHORT);
    CThreadMessagePump pump;

    PostKey(hEdit, VK_F5);
    pump.HandleWaiting();
    EXPECT_EQ(dialog.m_keys, (std::vector<KeySeen>{{hEdit, VK_F5}}));

    // Esc reaches the dialog manager; ending does not apply to a modeless dialog.
    PostKey(hEdit, VK_ESCAPE);
    pump.HandleWaiting();
    EXPECT_EQ(dialog.m_keys.size(), 2u);
    EXPECT_TRUE(::IsWindow(hDialog));
    EXPECT_EQ(dialog.m_ncDestroys, 0);

    EXPECT_EQ(CDialog::FromHandle(hDialog), &dialog);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_ncDestroys, 1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CDialog::FromHandle(hDialog), nullptr);
}

TEST(FrameworkPump, HandleWaitingLeavesWmQuitInTheQueue)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.PostMessage(WM_TEST_COUNT);
    ::PostQuitMessage(7);
    CThreadMessagePump().HandleWaiting();
    EXPECT_EQ(dialog.m_counted, 1);

    MSG msg{};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT was left twice";
}

// What the test threads report; the objects may be gone when it is read.
struct ThreadProbe {
    std::atomic<bool> exitInstanceRan{false};
    std::atomic<bool> deleted{false};
    std::atomic<int> counted{0};
    CHandle hGo;

    void Reset()
    {
        exitInstanceRan = false;
        deleted = false;
        counted = 0;
        hGo = CHandle(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    }
};
ThreadProbe g_probe;

class CProbedThread : public CWinThread {
public:
    ~CProbedThread() override { g_probe.deleted = true; }
};

// Holds in InitInstance until the test has its handle, so it cannot be gone first.
class CFailingThread : public CProbedThread {
public:
    BOOL InitInstance() override
    {
        ::WaitForSingleObject(g_probe.hGo.Get(), 5000);
        return FALSE;
    }
    int ExitInstance() override
    {
        g_probe.exitInstanceRan = true;
        return 17;
    }
};

class CLoopThread : public CProbedThread {
public:
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override
    {
        g_probe.exitInstanceRan = true;
        return CWinThread::ExitInstance();
    }
};

// Counts its WM_APP thread messages; WM_APP + 1 ends it at once, keeping the object.
class CCountingThread : public CProbedThread {
public:
    BOOL InitInstance() override { return TRUE; }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (!pMsg->hwnd && pMsg->message == WM_APP) {
            ++g_probe.counted;
            return TRUE;
        }
        if (!pMsg->hwnd && pMsg->message == WM_APP + 1) {
            AfxEndThread(31, FALSE);
            return TRUE;
        }
        return CWinThread::PreTranslateMessage(pMsg);
    }
    int ExitInstance() override
    {
        g_probe.exitInstanceRan = true;
        return g_probe.counted;
    }
};

// The thread's end and exit code, through a handle of the test's own.
CHandle OpenThreadOf(const CWinThread* pThread)
{
    return CHandle(::OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, pThread->m_nThreadID));
}

TEST(FrameworkThread, FailedInitInstanceRunsExitInstanceAndDeletesTheObject)
{
    g_probe.Reset();
    CWinThread* pThread = AfxBeginThread(MakeRuntimeClass<CFailingThread>("CFailingThread"));
    ASSERT_NE(pThread, nullptr);
    const CHandle hThread = OpenThreadOf(pThread);
    ::SetEvent(g_probe.hGo.Get());
    ASSERT_TRUE(hThread);
    const ThreadEnd end = WaitForThread(hThread.Get());
    ASSERT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 17u);
    EXPECT_TRUE(g_probe.exitInstanceRan);
    EXPECT_TRUE(g_probe.deleted);
}

TEST(FrameworkThread, QuitMessageEndsTheThreadWithItsCode)
{
    g_probe.Reset();
    CWinThread* pThread = AfxBeginThread(MakeRuntimeClass<CLoopThread>("CLoopThread"));
    ASSERT_NE(pThread, nullptr);
    const CHandle hThread = OpenThreadOf(pThread);
    ASSERT_TRUE(hThread);
    EXPECT_TRUE(::PostThreadMessageA(pThread->m_nThreadID, WM_QUIT, 23, 0));
    const ThreadEnd end = WaitForThread(hThread.Get());
    ASSERT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 23u);
    EXPECT_TRUE(g_probe.exitInstanceRan);
    EXPECT_TRUE(g_probe.deleted);
}

TEST(FrameworkThread, PostsRightAfterStartReachPreTranslateMessage)
{
    constexpr int kPosts = 1000;
    g_probe.Reset();
    CWinThread* pThread = AfxBeginThread(MakeRuntimeClass<CCountingThread>("CCountingThread"));
    ASSERT_NE(pThread, nullptr);
    const DWORD id = pThread->m_nThreadID;
    int posted = 0;
    for (int i = 0; i < kPosts; ++i)
        posted += ::PostThreadMessageA(id, WM_APP, 0, 0) ? 1 : 0;
    const CHandle hThread = OpenThreadOf(pThread);
    ASSERT_TRUE(hThread);
    EXPECT_TRUE(::PostThreadMessageA(id, WM_APP + 1, 0, 0));
    // Queued behind the end: never handled.
    for (int i = 0; i < 5; ++i)
        ::PostThreadMessageA(id, WM_APP, 0, 0);
    const ThreadEnd end = WaitForThread(hThread.Get());
    ASSERT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 31u);
    EXPECT_EQ(posted, kPosts);
    EXPECT_EQ(g_probe.counted, kPosts);
    EXPECT_FALSE(g_probe.deleted) << "AfxEndThread(.., FALSE) must keep the object";
    if (!g_probe.deleted)
        delete pThread;
}

} // namespace

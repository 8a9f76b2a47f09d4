#include "ui/TolviDlg.h"

#include "engine/FileMessages.h"
#include "resource.h"
#include "ui/AboutDlg.h"
#include "ui/ConnectionCombo.h"
#include "ui/ProgramIcon.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char kLocalAreaNetwork[] = "Local Area Network";
// "Local Area Connection" as Korean Windows names it.
constexpr char kLocalAreaNetworkKorean[] = "로컬 영역 연결";

// Enter on these presses them; anywhere else it moves on as Tab does.
constexpr int kPushButtons[] = {
    IDC_EXIT, IDC_APPLY_CONFIGURATION, IDC_AUTO_CONFIGURATION, IDC_DELETE,  IDC_RENAME, IDC_HELP_BUTTON,
    IDC_SAVE, IDC_REARRANGE,           IDC_PREFERENCES,        IDC_ADVANCED};

// The paint cycle of one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::BeginPaint(hWnd, &m_paint)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};

} // namespace

static_assert(sizeof kNewConfigurationName == 22);
static_assert(sizeof kLocalAreaNetworkKorean == 21);

CTolviDlg::CTolviDlg(const TolviSystem& system, bool bAuto, CWnd* pParent)
    : CDialog(IDD_TOLVI_DIALOG, pParent), m_hIcon(LoadProgramIcon(SM_CXICON, SM_CYICON)),
      m_hSmallIcon(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)), m_system(system), m_bAuto(bAuto), m_engine(m_system),
      m_networkInfo(m_engine.connections), m_configList(m_system.files, m_system.codePage)
{
    if (m_networkInfo.AdaptersUnreadable())
        Message("Cannot get informations of network adapters.", MB_ICONERROR);
}

CTolviDlg::~CTolviDlg() = default;

std::span<const MessageMapEntry> CTolviDlg::GetMessageMap() const
{
    static const MessageMapEntry kMessageMap[] = {
        OnMessage(WM_SYSCOMMAND, &CTolviDlg::OnSysCommand),
        OnMessage(WM_PAINT, &CTolviDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &CTolviDlg::OnQueryDragIcon),
        OnCommand(IDC_COMBO_CONNECTION, CBN_SELCHANGE, &CTolviDlg::OnSelchangeConnection),
        OnCommand(IDC_EXIT, BN_CLICKED, &CTolviDlg::OnExit),
        OnNotify(IDC_IP_ADDRESS, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedIpAddress),
        OnNotify(IDC_SUBNET_MASK, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedSubnetMask),
        OnNotify(IDC_GATEWAY, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedGateway),
        OnNotify(IDC_DNS1, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedDns),
        OnNotify(IDC_DNS2, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedDns),
        OnNotify(IDC_DNS3, IPN_FIELDCHANGED, &CTolviDlg::OnFieldchangedDns),
        OnCommand(IDC_RADIO_IP_DHCP, BN_CLICKED, &CTolviDlg::OnIpDhcp),
        OnCommand(IDC_RADIO_IP_STATIC, BN_CLICKED, &CTolviDlg::OnIpStatic),
        OnCommand(IDC_RADIO_DNS_DHCP, BN_CLICKED, &CTolviDlg::OnDnsDhcp),
        OnCommand(IDC_RADIO_DNS_STATIC, BN_CLICKED, &CTolviDlg::OnDnsStatic),
        OnCommand(IDC_COMBO_CONFIGURATION, CBN_SELCHANGE, &CTolviDlg::OnSelchangeConfiguration),
        OnCommand(IDC_APPLY_CONFIGURATION, BN_CLICKED, &CTolviDlg::OnApplyConfiguration),
        OnCommand(IDC_AUTO_CONFIGURATION, BN_CLICKED, &CTolviDlg::OnAutoConfiguration),
        OnCommand(IDC_PREFERENCES, BN_CLICKED, &CTolviDlg::OnPreferences),
        OnCommand(IDC_SAVE, BN_CLICKED, &CTolviDlg::OnSave),
        OnCommand(IDC_RENAME, BN_CLICKED, &CTolviDlg::OnRename),
        OnCommand(IDC_DELETE, BN_CLICKED, &CTolviDlg::OnDelete),
        OnCommand(IDC_REARRANGE, BN_CLICKED, &CTolviDlg::OnRearrange),
        OnCommand(IDC_HELP_BUTTON, BN_CLICKED, &CTolviDlg::OnHelp),
        OnCommand(IDC_ADVANCED, BN_CLICKED, &CTolviDlg::OnAdvanced),
    };
    return kMessageMap;
}

void CTolviDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_COMBO_CONNECTION, m_comboConnection);
    DDX_Control(dx, IDC_IP_ADDRESS, m_ipAddress);
    DDX_Control(dx, IDC_SUBNET_MASK, m_ipSubnetMask);
    DDX_Control(dx, IDC_GATEWAY, m_ipGateway);
    DDX_Control(dx, IDC_ADVANCED, m_buttonAdvanced);
    DDX_Control(dx, IDC_DNS1, m_ipDns1);
    DDX_Control(dx, IDC_DNS2, m_ipDns2);
    DDX_Control(dx, IDC_DNS3, m_ipDns3);
    DDX_Radio(dx, IDC_RADIO_IP_DHCP, m_nIpMode);
    DDX_Radio(dx, IDC_RADIO_DNS_DHCP, m_nDnsMode);
    DDX_Control(dx, IDC_COMBO_CONFIGURATION, m_comboConfiguration);
}

BOOL CTolviDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (const HMENU hSystemMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t szAbout[64] = {};
        if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, szAbout, ARRAYSIZE(szAbout)) > 0) {
            ::AppendMenuW(hSystemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(hSystemMenu, MF_STRING, IDM_ABOUTBOX, szAbout);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    InitContents();
    return TRUE;
}

void CTolviDlg::InitContents()
{
    std::memcpy(m_szNewConfiguration, kNewConfigurationName, sizeof m_szNewConfiguration);
    if (m_configList.Load(m_system.clock) == LoadResult::Unopenable)
        ReportUnreadableFile();

    // A first run picks the system's usual name for the wired connection.
    PREFERENCES& preferences = m_configList.GetPreferences();
    for (const char* pszUsual : {kLocalAreaNetwork, kLocalAreaNetworkKorean}) {
        if (preferences.szDefaultConnection[0] == '\0' && ConnectionNamed(m_networkInfo, pszUsual))
            std::snprintf(preferences.szDefaultConnection, sizeof preferences.szDefaultConnection, "%s", pszUsual);
    }

    FillConnectionCombo(m_comboConnection, m_networkInfo, preferences.szDefaultConnection);

    ShowConnectionSettings();
    FillConfigurationCombo();

    // Automatic configuration runs here, before the dialog was ever shown,
    // and ends the program whatever it finds.
    if (m_bAuto) {
        m_exitCode = Operations().Auto();
        OnOK();
    }
}

BOOL CTolviDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
        std::none_of(std::begin(kPushButtons), std::end(kPushButtons),
                     [&](int nID) { return pMsg->hwnd == GetDlgItem(nID); }))
        pMsg->wParam = VK_TAB;
    return CDialog::PreTranslateMessage(pMsg);
}

void CTolviDlg::PostNcDestroy()
{
    SaveAtExit(m_configList, m_system.messages, m_system.files.ExecutableDirectory());
    CDialog::PostNcDestroy();
}

void CTolviDlg::ReportUnreadableFile()
{
    const std::string text = UnreadableFileText(m_system.files.ExecutableDirectory()) +
                             "\nTolvi runs on its default settings, and the changes of this run will not be saved. "
                             "The file is left as it is.";
    Message(text.c_str(), MB_OK | MB_ICONWARNING);
}

void CTolviDlg::OnSelchangeConnection()
{
    ShowConnectionSettings();
    SelectMatchingConfiguration();
}

void CTolviDlg::OnSelchangeConfiguration()
{
    const std::string name = m_comboConfiguration.GetLBText(m_comboConfiguration.GetCurSel());
    if (name != m_szNewConfiguration)
        ShowConfiguration(name.c_str());
}

void CTolviDlg::OnIpDhcp()
{
    EnableAddressFields(false);
    UpdateData(TRUE);
    UpdateMoreText();
    SelectMatchingConfiguration();
}

void CTolviDlg::OnIpStatic()
{
    EnableAddressFields(true);
    UpdateData(TRUE);
    UpdateMoreText();
    SelectMatchingConfiguration();
}

void CTolviDlg::OnDnsDhcp()
{
    for (CIPAddressCtrl* pDns : DnsFields())
        pDns->EnableWindow(FALSE);
    UpdateData(TRUE);
    SelectMatchingConfiguration();
}

void CTolviDlg::OnDnsStatic()
{
    m_ipDns1.EnableWindow(TRUE);
    m_ipDns2.EnableWindow(!m_ipDns1.GetIpv4Addr().IsNone());
    m_ipDns3.EnableWindow(!m_ipDns2.GetIpv4Addr().IsNone());
    UpdateData(TRUE);
    UpdateDnsFields();
    SelectMatchingConfiguration();
}

void CTolviDlg::OnFieldchangedIpAddress(NMHDR&, LRESULT& result)
{
    AddressFieldChanged(m_ipAddress, result);
}

void CTolviDlg::OnFieldchangedSubnetMask(NMHDR&, LRESULT& result)
{
    AddressFieldChanged(m_ipSubnetMask, result);
}

void CTolviDlg::OnFieldchangedGateway(NMHDR&, LRESULT& result)
{
    AddressFieldChanged(m_ipGateway, result);
}

void CTolviDlg::OnFieldchangedDns(NMHDR&, LRESULT& result)
{
    SelectMatchingConfiguration();
    UpdateDnsFields();
    result = 0;
}

void CTolviDlg::AddressFieldChanged(CIPAddressCtrl& control, LRESULT& result)
{
    SelectMatchingConfiguration();
    control.ClearWhenNone();
    UpdateMoreText();
    result = 0;
}

void CTolviDlg::OnApplyConfiguration()
{
    const ApplyInputs inputs{m_comboConnection.GetCurSel(), FieldSettings()};
    // Where the service is installed it applies what is saved; other
    // settings only this process can apply, with administrator rights.
    if (m_system.pService && Operations().ApplySaved(inputs))
        return;
    if (MayChangeDefinitions())
        Operations().Apply(inputs);
}

void CTolviDlg::OnAutoConfiguration()
{
    Operations().Auto();
}

void CTolviDlg::OnExit()
{
    OnOK();
}

bool CTolviDlg::OnSysCommand(WPARAM wParam, LPARAM, LRESULT& result)
{
    if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
        return false;
    CAboutDlg(this).DoModal();
    result = 0;
    return true;
}

bool CTolviDlg::OnPaint(WPARAM, LPARAM, LRESULT& result)
{
    if (!::IsIconic(m_hWnd))
        return false;
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, m_hIcon);
    result = 0;
    return true;
}

bool CTolviDlg::OnQueryDragIcon(WPARAM, LPARAM, LRESULT& result)
{
    result = reinterpret_cast<LRESULT>(m_hIcon);
    return true;
}

CDialogOperations CTolviDlg::Operations()
{
    return {m_engine.Services(m_configList, m_progress), *this, m_system.messages, m_system.pService};
}

void CTolviDlg::Enable(bool bEnable)
{
    EnableWindow(bEnable);
}

void CTolviDlg::Show(bool bShow)
{
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CTolviDlg::Focus()
{
    SetFocus();
}

void CTolviDlg::EndAsOk()
{
    OnOK();
}

void CTolviDlg::RefreshSettings()
{
    ShowConnectionSettings();
    FillConfigurationCombo();
}

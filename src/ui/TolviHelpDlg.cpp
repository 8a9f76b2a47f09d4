#include "ui/TolviHelpDlg.h"

#include "engine/CommandLine.h"
#include "resource.h"

std::string CTolviHelpDlg::HelpText()
{
    return std::string("To add new configuration, input appropriate configuration and save it.\n"
                       "Order of applying configurations in the automatic configuration mode is determined by order "
                       "of configurations. This order can be changed by Rearrange button.\n"
                       "\n"
                       "Usage:\n") +
           kCommandLineUsage +
           "\n"
           "Tolvi 1.0\n"
           "Switches a network connection between saved TCP/IP configurations.\n"
           "Configurations are kept in Tolvi.cfg beside Tolvi.exe.\n"
           "Start-up registration is the task \"Tolvi\" in the Task Scheduler Library (taskschd.msc), run at "
           "log-on with highest privileges.\n"
           "Run as administrator: changing network settings needs it.";
}

CTolviHelpDlg::CTolviHelpDlg(CWnd* pParent) : CDialog(IDD_TOLVI_HELP_DIALOG, pParent) {}

void CTolviHelpDlg::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_HELP_TEXT, m_strHelp);
}

BOOL CTolviHelpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strHelp = HelpText();
    UpdateData(FALSE);
    return TRUE;
}

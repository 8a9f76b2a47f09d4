#include "platform/StartupTaskXml.h"

namespace {

std::u16string Escaped(std::u16string_view text)
{
    std::u16string escaped;
    escaped.reserve(text.size());
    for (const char16_t c : text) {
        switch (c) {
        case u'&':
            escaped += u"&amp;";
            break;
        case u'<':
            escaped += u"&lt;";
            break;
        case u'>':
            escaped += u"&gt;";
            break;
        case u'"':
            escaped += u"&quot;";
            break;
        case u'\'':
            escaped += u"&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::u16string BuildStartupTaskXml(std::u16string_view programPath, std::u16string_view arguments,
                                   std::u16string_view userSid)
{
    // Without a user the trigger fires at anyone's log-on, yet the task runs
    // for the account that registered it.
    const std::u16string user = u"      <UserId>" + Escaped(userSid) + u"</UserId>\n";
    // The defaults would keep a laptop on battery from starting the task and
    // end the program after three days.
    std::u16string xml = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                         u"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
                         u"  <RegistrationInfo>\n"
                         u"    <Description>Starts Tolvi when you log on.</Description>\n"
                         u"  </RegistrationInfo>\n"
                         u"  <Triggers>\n"
                         u"    <LogonTrigger>\n"
                         u"      <Enabled>true</Enabled>\n" +
                         user +
                         u"    </LogonTrigger>\n"
                         u"  </Triggers>\n"
                         u"  <Principals>\n"
                         u"    <Principal id=\"Author\">\n" +
                         user +
                         u"      <LogonType>InteractiveToken</LogonType>\n"
                         u"      <RunLevel>HighestAvailable</RunLevel>\n"
                         u"    </Principal>\n"
                         u"  </Principals>\n"
                         u"  <Settings>\n"
                         u"    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
                         u"    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>\n"
                         u"    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>\n"
                         u"    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>\n"
                         // 7, below normal, would be the default.
                         u"    <Priority>5</Priority>\n"
                         u"    <Enabled>true</Enabled>\n"
                         u"  </Settings>\n"
                         u"  <Actions Context=\"Author\">\n"
                         u"    <Exec>\n"
                         u"      <Command>";
    // No quotes: the command is the program alone, spaces and all.
    xml += Escaped(programPath);
    xml += u"</Command>\n";
    if (!arguments.empty()) {
        xml += u"      <Arguments>";
        xml += Escaped(arguments);
        xml += u"</Arguments>\n";
    }
    xml += u"    </Exec>\n"
           u"  </Actions>\n"
           u"</Task>\n";
    return xml;
}

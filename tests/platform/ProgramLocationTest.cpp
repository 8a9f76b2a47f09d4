#include "platform/ProgramLocation.h"
#include "fakes/FakeFileSecurity.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

TEST(ProgramLocation, RegistersOnlyWhereNobodyButAdministratorsCanChangeTheProgram)
{
    constexpr char kTrustedInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    const std::string pf = R"(C:\Program Files\Tolvi\Tolvi.exe)";
    const std::string tools = R"(C:\Tools\Tolvi\Tolvi.exe)";
    const struct {
        const char* name;
        std::string program;
        std::map<std::string, std::string> descriptors;
        std::optional<std::string> fault;
        bool bFixed = true;
    } cases[] = {
        {"Program Files, TrustedInstaller's, and a root where users may add folders",
         pf,
         {{R"(C:\Program Files)", "O:" + std::string(kTrustedInstaller) + "D:PAI(A;;FA;;;" + kTrustedInstaller +
                                      ")(A;CIIO;GA;;;" + kTrustedInstaller + ")(A;;0x1301bf;;;SY)(A;;0x1200a9;;;BU)"},
          {"C:\\", "O:SYD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;;0x6;;;AU)(A;OICIIO;SDGXGWGR;;;AU)"},
          {R"(C:\Program Files\Tolvi\Tolvi.cfg)", CFakeFileSecurity::kAdminOnly}},
         std::nullopt},
        {"a folder an administrator made in C:\\",
         tools,
         {{R"(C:\Tools\Tolvi)", "O:BAD:AI(A;OICIID;FA;;;BA)(A;OICIID;0x1301bf;;;AU)"}},
         R"(C:\Tools\Tolvi: "Authenticated Users" can change it)"},
        {"a user's own folder",
         R"(C:\Users\ann\Downloads\Tolvi\Tolvi.exe)",
         {{R"(C:\Users\ann\Downloads\Tolvi)", "O:S-1-5-21-7-7-7-1001D:(A;OICI;FA;;;S-1-5-21-7-7-7-1001)"}},
         R"(C:\Users\ann\Downloads\Tolvi: "PC\ann" can change it)"},
        {"a NULL DACL on Tolvi.cfg",
         pf,
         {{R"(C:\Program Files\Tolvi\Tolvi.cfg)", "O:BAD:NO_ACCESS_CONTROL"}},
         R"(C:\Program Files\Tolvi\Tolvi.cfg: "Everyone" can change it)"},
        {"a deny entry takes nothing back from another allow",
         pf,
         {{R"(C:\Program Files\Tolvi)", "O:BAD:(D;;FA;;;AU)(A;;FA;;;BA)(A;;0x2;;;BU)"}},
         R"(C:\Program Files\Tolvi: "Users" can change it)"},
        {"generic write on the program",
         pf,
         {{pf, "O:SYD:(A;;FA;;;SY)(A;;GW;;;BU)"}},
         R"(C:\Program Files\Tolvi\Tolvi.exe: "Users" can change it)"},
        {"write owner alone on a folder above",
         pf,
         {{R"(C:\Program Files)", "O:BAD:(A;;FA;;;BA)(A;;WO;;;AU)"}},
         R"(C:\Program Files: "Authenticated Users" can change it)"},
        {"an entry it cannot read",
         pf,
         {{pf, "O:BAD:(A;;FA;;;BA)(XA;;FA;;;AU;(Member_of {SID(BA)}))"}},
         R"(C:\Program Files\Tolvi\Tolvi.exe: Tolvi cannot tell who can change it)"},
        {"a network drive",
         R"(N:\Tolvi\Tolvi.exe)",
         {},
         R"(N:\Tolvi\Tolvi.exe: it is on a network or removable drive, which this PC does not control)",
         false},
        {"a share",
         R"(\\server\share\Tolvi.exe)",
         {},
         R"(\\server\share\Tolvi.exe: it is on a network or removable drive, which this PC does not control)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFakeFileSecurity security;
        security.descriptors = c.descriptors;
        security.bFixed = c.bFixed;
        EXPECT_EQ(FindLocationFault(security, c.program, "Tolvi.cfg"), c.fault);
    }
}

} // namespace

#include "service/win32/ServicePresence.h"

#include "service/win32/ServiceNames.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace {

struct ServiceHandleClose {
    void operator()(SC_HANDLE hService) const { ::CloseServiceHandle(hService); }
};
using CServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleClose>;

} // namespace

bool ServiceInstalled()
{
    // The least rights there are, which every user has.
    const CServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return false;
    const CServiceHandle service(::OpenServiceW(manager.get(), kServiceName, SERVICE_QUERY_STATUS));
    // A service this user may not ask about is there all the same.
    return service || ::GetLastError() == ERROR_ACCESS_DENIED;
}

// What going through the service costs one apply, inside one process so
// that starting a program is left out: the configuration "Lab" of the
// Tolvi.cfg beside this program, applied on the engine here and by the
// running service "Tolvi", in turn, after one unmeasured pair. Then the
// same for a name that is not saved: the whole way without netsh, whose
// processes vary most in what they take.
// usage: tolvi_service_bench [RUNS]
#include "config/ConfigList.h"
#include "engine/ApplyConfiguration.h"
#include "framework/ThreadMessagePump.h"
#include "net/NetworkInfo.h"
#include "net/Ping.h"
#include "platform/SystemFileSystem.h"
#include "platform/win32/Win32AdapterList.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32ProcessRunner.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SocketLibrary.h"
#include "service/ServiceClient.h"
#include "service/win32/PipeClient.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

class CNoProgress final : public IProgress {
public:
    void Start() override {}
    void SetCaption(const char*) override {}
    void SetText(const char*) override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void Close() override {}
};

double NowMs()
{
    LARGE_INTEGER frequency{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Print(const char* pszWhat, const std::vector<double>& times)
{
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    std::printf("  %-22s median %.1f ms, mean %.1f ms, min %.1f, max %.1f\n", pszWhat, Median(times), mean,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
}

struct Platform {
    CWin32AdapterList adapters;
    CWin32Registry registry;
    CWin32ProcessRunner processes;
    CThreadMessagePump pump;
    CWin32Clock clock;
    CWin32SocketLibrary sockets;
    CSystemFileSystem files;
    CWin32CodePage codePage;
};

// As a script run does it in its own process: the file and the adapters
// read, then the configuration applied.
ExitCode ApplyHere(Platform& system, IProgress& progress, const char* pszName)
{
    CConfigList configs(system.files, system.codePage);
    configs.Load(system.clock);
    CNetworkInfo connections({system.adapters, system.registry, system.processes, system.pump, system.clock});
    CPing probe(system.sockets, system.clock, system.pump);
    return ApplyNamedConfiguration({configs, connections, probe, progress, system.clock}, pszName).code;
}

// False when either way did not end as expected.
bool Measure(Platform& system, const char* pszName, ExitCode expected, int nRuns)
{
    CNoProgress progress;
    CPipeClient pipe(system.pump);
    CServiceClient service(pipe);
    std::vector<double> here, through;
    for (int k = 0; k <= nRuns; ++k) {
        const double start = NowMs();
        const ExitCode local = ApplyHere(system, progress, pszName);
        const double middle = NowMs();
        const ExitCode remote = service.Apply(pszName, progress).code;
        const double end = NowMs();
        if (local != expected || remote != expected) {
            std::fprintf(stderr, "applying \"%s\" ended with %d here, %d through the service\n", pszName,
                         static_cast<int>(local), static_cast<int>(remote));
            return false;
        }
        if (k > 0) {
            here.push_back(middle - start);
            through.push_back(end - middle);
        }
    }
    std::printf("applying \"%s\", %d times each, inside one process:\n", pszName, nRuns);
    Print("here, on the engine:", here);
    Print("through the service:", through);
    std::printf("  the service adds %.1f ms to the median (goal: at most 50 ms)\n", Median(through) - Median(here));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    Platform system;
    const bool bMeasured =
        Measure(system, "Lab", ExitCode::Done, nRuns) && Measure(system, "Not saved", ExitCode::NotFound, nRuns);
    return bMeasured ? 0 : 1;
}

// Loading and saving Tolvi.cfg against plainly reading its bytes, the
// look-ups the dialogs make, and the text form of the configurations.
#include "config/ConfigFile.h"
#include "config/ConfigList.h"
#include "config/ConfigText.h"
#include "fakes/Latin1CodePage.h"
#include "platform/SystemFileSystem.h"
#include "support/TempDir.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {

IFileSystem& System()
{
    static const auto system = std::make_unique<CSystemFileSystem>();
    return *system;
}

std::string NameOf(std::int64_t i)
{
    return "Configuration " + std::to_string(i);
}

ConnectionSettings StaticSettings(std::uint32_t dwIp)
{
    return {
        false, Ipv4Addr::FromValue(dwIp), Ipv4Addr::FromValue(0x00FFFFFF), Ipv4Addr::FromValue(dwIp | 1), false, {}, {},
        {}};
}

void Fill(CConfigList& list, std::int64_t n)
{
    list.SetDefaultPreferences();
    for (std::int64_t i = 0; i < n; ++i) {
        const auto ip = static_cast<std::uint32_t>(i);
        list.Add(NameOf(i).c_str(), i % 2 ? "Wireless" : "Local Area Network", StaticSettings(ip));
    }
}

// One file of n configurations per size, written once for the whole run.
const std::string& FileOf(std::int64_t n)
{
    static CTempDir dir;
    static std::map<std::int64_t, std::string> files;
    auto [it, added] = files.try_emplace(n, dir.File("Tolvi-" + std::to_string(n) + ".cfg"));
    if (added) {
        CConfigList list{System()};
        Fill(list, n);
        (void)list.Save(it->second);
    }
    return it->second;
}

void ReadBytes(benchmark::State& state)
{
    const std::string& path = FileOf(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        // A buffer of its own each time, as loading has.
        std::vector<std::uint8_t> bytes;
        System().Read(path, bytes);
        benchmark::DoNotOptimize(bytes.data());
        size = bytes.size();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}

void Load(benchmark::State& state)
{
    const std::string& path = FileOf(state.range(0));
    for (auto _ : state) {
        CConfigList list{System()};
        list.Load(path);
        benchmark::DoNotOptimize(list.GetHead());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Loading without the file read: what building the list costs.
void Decode(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    System().Read(FileOf(state.range(0)), bytes);
    for (auto _ : state) {
        CConfigList list{System()};
        DecodeConfigFile(bytes, list);
        benchmark::DoNotOptimize(list.GetHead());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Saving n configurations, rewriting the file each time or, unchanged,
// only comparing it.
template <bool Changed>
void Save(benchmark::State& state)
{
    CTempDir dir;
    const std::string path = dir.File("Tolvi.cfg");
    CConfigList list{System()};
    Fill(list, state.range(0));
    (void)list.Save(path);
    for (auto _ : state) {
        if (Changed)
            ++list.GetPreferences().nDhcpWait;
        benchmark::DoNotOptimize(list.Save(path));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Find(benchmark::State& state)
{
    CConfigList list{System()};
    Fill(list, state.range(0));
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < state.range(0); i += 7)
        names.push_back(NameOf(i));
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(list.Find(names[i++ % names.size()].c_str()));
}

void FindIdentical(benchmark::State& state)
{
    CConfigList list{System()};
    Fill(list, state.range(0));
    // The last record, so the whole list is walked.
    const auto last = static_cast<std::uint32_t>(state.range(0) - 1);
    const char* connection = (state.range(0) - 1) % 2 ? "Wireless" : "Local Area Network";
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindIdentical(connection, StaticSettings(last)));
}

const CLatin1CodePage kCodePage;

void ExportText(benchmark::State& state)
{
    CConfigList list{System()};
    Fill(list, state.range(0));
    for (auto _ : state) {
        std::string text;
        benchmark::DoNotOptimize(WriteConfigText(list, kCodePage, text));
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

// Into an empty list, every configuration appended; or into one that holds
// every name already, each replaced in place.
template <bool Replacing>
void ImportText(benchmark::State& state)
{
    CConfigList filled{System()};
    Fill(filled, state.range(0));
    std::string text;
    (void)WriteConfigText(filled, kCodePage, text);
    for (auto _ : state) {
        if (Replacing) {
            benchmark::DoNotOptimize(ReadConfigText(text, kCodePage, filled));
        } else {
            CConfigList list{System()};
            benchmark::DoNotOptimize(ReadConfigText(text, kCodePage, list));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(ReadBytes)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Decode)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Save<true>)->Name("Save")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Save<false>)->Name("SaveUnchanged")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Find)->Arg(10000);
BENCHMARK(FindIdentical)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExportText)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportText<false>)
    ->Name("ImportText")
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ImportText<true>)
    ->Name("ImportTextReplacing")
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

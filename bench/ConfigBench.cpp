// Loading and saving Tolvi.cfg against plainly reading its bytes, the
// look-ups the dialogs make, and the text form of the configurations. The
// file benchmarks take the count of configurations and of addresses in
// each: with one, the file is version 1; with five, version 2.
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
#include <utility>

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

const CLatin1CodePage kCodePage;

void Fill(CConfigList& list, std::int64_t n, std::int64_t nAddresses = 1)
{
    list.SetDefaultPreferences();
    for (std::int64_t i = 0; i < n; ++i) {
        const auto ip = static_cast<std::uint32_t>(i);
        ConnectionSettings settings = StaticSettings(ip);
        for (std::int64_t k = 1; k < nAddresses; ++k)
            settings.moreAddresses.push_back(
                {Ipv4Addr::FromValue(ip | static_cast<std::uint32_t>(k) << 24), Ipv4Addr::FromValue(0x00FFFFFF)});
        list.Add(NameOf(i).c_str(), i % 2 ? "Wireless" : "Local Area Network", settings);
    }
}

// One file per count of configurations and addresses, written once for the
// whole run.
const std::string& FileOf(std::int64_t n, std::int64_t nAddresses = 1)
{
    static CTempDir dir;
    static std::map<std::pair<std::int64_t, std::int64_t>, std::string> files;
    auto [it, added] = files.try_emplace(
        {n, nAddresses}, dir.File("Tolvi-" + std::to_string(n) + "-" + std::to_string(nAddresses) + ".cfg"));
    if (added) {
        CConfigList list{System(), kCodePage};
        Fill(list, n, nAddresses);
        (void)list.Save(it->second);
    }
    return it->second;
}

void ReadBytes(benchmark::State& state)
{
    const std::string& path = FileOf(state.range(0), state.range(1));
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
    const std::string& path = FileOf(state.range(0), state.range(1));
    for (auto _ : state) {
        CConfigList list{System(), kCodePage};
        list.Load(path);
        benchmark::DoNotOptimize(list.GetHead());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Loading without the file read: what building the list costs.
void Decode(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    System().Read(FileOf(state.range(0), state.range(1)), bytes);
    for (auto _ : state) {
        CConfigList list{System(), kCodePage};
        DecodeConfigFile(bytes, kCodePage, list);
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
    CConfigList list{System(), kCodePage};
    Fill(list, state.range(0), state.range(1));
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
    CConfigList list{System(), kCodePage};
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
    CConfigList list{System(), kCodePage};
    Fill(list, state.range(0));
    // The last record, so the whole list is walked.
    const auto last = static_cast<std::uint32_t>(state.range(0) - 1);
    const char* connection = (state.range(0) - 1) % 2 ? "Wireless" : "Local Area Network";
    for (auto _ : state)
        benchmark::DoNotOptimize(list.FindIdentical(connection, StaticSettings(last)));
}

void ExportText(benchmark::State& state)
{
    CConfigList list{System(), kCodePage};
    Fill(list, state.range(0));
    for (auto _ : state) {
        std::string text;
        benchmark::DoNotOptimize(WriteConfigText(list, text));
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
    CConfigList filled{System(), kCodePage};
    Fill(filled, state.range(0));
    std::string text;
    (void)WriteConfigText(filled, text);
    for (auto _ : state) {
        if (Replacing) {
            benchmark::DoNotOptimize(ReadConfigText(text, filled));
        } else {
            CConfigList list{System(), kCodePage};
            benchmark::DoNotOptimize(ReadConfigText(text, list));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}

} // namespace

// Configurations and addresses in each: version 1 of three sizes, and ten
// thousand with five addresses each, version 2, against its version 1.
void FileSizes(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"configurations", "addresses"});
    for (const std::int64_t n : {1000, 10000, 100000})
        b->Args({n, 1});
    b->Args({10000, 5});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(ReadBytes)->Apply(FileSizes);
BENCHMARK(Load)->Apply(FileSizes);
BENCHMARK(Decode)->Apply(FileSizes);
BENCHMARK(Save<true>)->Name("Save")->Apply(FileSizes);
BENCHMARK(Save<false>)->Name("SaveUnchanged")->Apply(FileSizes);
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

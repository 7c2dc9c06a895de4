// Micro-benchmarks of the file side and the step, and of listing profiles
// in a large directory beside a plain readdir loop over it (the floor).
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "offsets/profile_store.h"

namespace {

using zelvane::offsets::OffsetTable;
using zelvane::offsets::ProfileStore;
using Durability = zelvane::platform::AtomicFileWriter::Durability;

// A directory of 100,000 entries of which 1,000 are profiles; made once in
// the temporary folder and kept between runs, because making it takes
// longer than measuring it (scripts/bench points TMPDIR at a cache folder).
const std::filesystem::path& largeDirectory() {
    static const std::filesystem::path directory = [] {
        const auto path = std::filesystem::temp_directory_path() / "zelvane-bench-100k";
        const auto done = path / ".complete";
        if (!std::filesystem::exists(done)) {
            std::filesystem::create_directories(path);
            for (int i = 0; i < 100000; ++i) {
                const std::string name = i % 100 == 0 ? "vc_offset_" + std::to_string(i) + ".mpf"
                                                      : "screenshot_" + std::to_string(i) + ".png";
                std::ofstream(path / name).put('0');
            }
            std::ofstream(done).put('1');
        }
        return path;
    }();
    return directory;
}

const std::filesystem::path& scratchDirectory() {
    static const std::filesystem::path directory = [] {
        auto path = std::filesystem::temp_directory_path() / "zelvane-bench-scratch";
        std::filesystem::create_directories(path);
        return path;
    }();
    return directory;
}

OffsetTable sampleTable() {
    OffsetTable table;
    for (int index = 0; index < OffsetTable::size; ++index) {
        table.setValue(index, std::to_string(index * 7 - 120) + ".25");
    }
    return table;
}

void step(benchmark::State& state) {
    OffsetTable table = sampleTable();
    table.select(58);
    int delta = 1;
    for (auto _ : state) {
        table.stepSelected(delta);
        delta = -delta;
    }
}
BENCHMARK(step);

void save(benchmark::State& state, Durability durability) {
    const ProfileStore store(scratchDirectory());
    const OffsetTable table = sampleTable();
    for (auto _ : state) {
        store.saveProfile(table, "42", durability);
    }
}
BENCHMARK_CAPTURE(save, flushed_to_disk, Durability::FlushToDisk)->UseRealTime();
BENCHMARK_CAPTURE(save, cache_only, Durability::CacheOnly)->UseRealTime();

void read(benchmark::State& state) {
    const ProfileStore store(scratchDirectory());
    store.saveProfile(sampleTable(), "42");
    OffsetTable table;
    for (auto _ : state) {
        store.readProfile("vc_offset_42.mpf", table);
    }
}
BENCHMARK(read);

void listProfiles(benchmark::State& state) {
    const ProfileStore store(largeDirectory());
    for (auto _ : state) {
        const auto names = store.listProfiles();
        if (names.size() != 1000) {
            state.SkipWithError("the large directory does not hold 1,000 profiles");
        }
    }
}
BENCHMARK(listProfiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: reading the directory and nothing else.
void readdirLoop(benchmark::State& state) {
    for (auto _ : state) {
        DIR* directory = ::opendir(largeDirectory().c_str());
        std::size_t entries = 0;
        while (const dirent* entry = ::readdir(directory)) {
            benchmark::DoNotOptimize(entry->d_name[0]);
            ++entries;
        }
        ::closedir(directory);
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(readdirLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

#include "traffic/TrafficList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using zephlan::TrafficList;

// A million airports and a tenth as many aircraft, or BENCH_RECORDS airports
// for a quick run on small files.
unsigned airportCount()
{
    static const unsigned count = [] {
        const char *given = std::getenv("BENCH_RECORDS");
        const unsigned long records = given != nullptr ? std::strtoul(given, nullptr, 10) : 0;
        return records > 0 ? static_cast<unsigned>(records) : 1000000u;
    }();
    return count;
}

unsigned aircraftCount()
{
    return std::max(1u, airportCount() / 10);
}

std::string airportCode(unsigned n)
{
    std::string code(4, 'A');
    unsigned mixed = n * 2654435761u;
    for (char &c : code) {
        c = static_cast<char>('A' + mixed % 26);
        mixed /= 26;
    }
    return code;
}

void writeAirports(const std::filesystem::path &path)
{
    std::ofstream out(path, std::ios::binary);
    char line[96];
    for (unsigned i = 0; i < airportCount(); ++i) {
        const int length = std::snprintf(line, sizeof line, "%s,%c%u* %02u.%02u',%c%u* %02u.%02u',%u\n",
                                         airportCode(i).c_str(), i % 2 ? 'N' : 'S', i % 90, i % 60, i * 7 % 100,
                                         i % 3 ? 'W' : 'E', i % 180, i * 11 % 60, i * 13 % 100, i * 37 % 9000);
        out.write(line, length);
    }
}

void writeAircraft(const std::filesystem::path &path)
{
    static const char *const kModels[] = {"Boeing 737-800", "Airbus A320", "Boeing 747-400", "Dash 8-100",
                                          "Cessna 172, Skyhawk", "McDonnell Douglas MD-83"};
    std::ofstream out(path, std::ios::binary);
    char line[128];
    for (unsigned i = 0; i < aircraftCount(); ++i) {
        const int length = std::snprintf(line, sizeof line, "AC#%u,%u,\"%s Paint%u\"\n", i + 1, 120 + i * 7 % 400,
                                         kModels[i % std::size(kModels)], i % 50 + 1);
        out.write(line, length);
    }
}

void writeFiles(const std::filesystem::path &folder)
{
    writeAirports(folder / "airports.txt");
    writeAircraft(folder / "aircraft.txt");
}

// The files in the folder named by BENCH_FILES, or generated once into a
// fresh temporary folder that is removed at exit.
class GeneratedFiles
{
public:
    GeneratedFiles()
    {
        if (const char *given = std::getenv("BENCH_FILES"); given != nullptr && *given != '\0') {
            m_folder = given;
            return;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "zephlan-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_folder = pattern;
        m_owned = true;
        writeFiles(m_folder);
    }
    ~GeneratedFiles()
    {
        if (m_owned)
            std::filesystem::remove_all(m_folder);
    }
    std::filesystem::path file(const char *name) const { return m_folder / name; }

private:
    std::filesystem::path m_folder;
    bool m_owned = false;
};

const GeneratedFiles &generatedFiles()
{
    static const GeneratedFiles files;
    return files;
}

template <TrafficList (*Read)(const std::filesystem::path &)>
void benchRead(benchmark::State &state, const char *name, std::size_t expected)
{
    const std::filesystem::path path = generatedFiles().file(name);
    for (auto _ : state) {
        TrafficList list = Read(path);
        if (list.failed || list.entries.size() != expected)
            state.SkipWithError("the list did not read back whole");
        benchmark::DoNotOptimize(list);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void ReadAirportList(benchmark::State &state)
{
    benchRead<zephlan::ReadAirportList>(state, "airports.txt", airportCount());
}
BENCHMARK(ReadAirportList)->Unit(benchmark::kMillisecond)->UseRealTime();

void ReadAircraftList(benchmark::State &state)
{
    benchRead<zephlan::ReadAircraftList>(state, "aircraft.txt", aircraftCount());
}
BENCHMARK(ReadAircraftList)->Unit(benchmark::kMillisecond)->UseRealTime();

// The airports already in memory: the share of the time spent on fields and entries.
void ReadAirportRecords(benchmark::State &state)
{
    const std::filesystem::path path = generatedFiles().file("airports.txt");
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        TrafficList list = zephlan::readTrafficRecords(bytes, zephlan::TrafficListKind::Airports);
        benchmark::DoNotOptimize(list);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(ReadAirportRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reads one file once, for timing the whole process from outside.
int readOnce(std::string_view kind, const char *path)
{
    const TrafficList list = kind == "airports" ? zephlan::ReadAirportList(path) : zephlan::ReadAircraftList(path);
    std::printf("%zu entries%s\n", list.entries.size(), list.failed ? ", failed" : "");
    return list.failed ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "--write-files" && argc == 3) {
        writeFiles(argv[2]);
        return 0;
    }
    if (mode == "--read" && argc == 4)
        return readOnce(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        std::fprintf(stderr, "also: --write-files FOLDER | --read airports|aircraft FILE\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

// What the window benchmarks share: the codes of generated airports lists,
// their own process's memory, from Linux's /proc, and a main that runs them
// on the offscreen platform unless told otherwise.
namespace zephlan::bench {

// Airport codes AAAA, AAAB, ... by their place in a generated list, so that the
// last ones sit at its end.
inline std::string airportCode(int n)
{
    std::string code(4, 'A');
    for (int place = 3; place >= 0; --place, n /= 26)
        code[static_cast<std::size_t>(place)] = static_cast<char>('A' + n % 26);
    return code;
}

// The resident size now.
inline double residentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (std::FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

// The peak resident size since the last resetPeak(), from the kernel's high-water mark.
inline double peakMegabytes()
{
    double kilobytes = 0;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            kilobytes = std::stod(line.substr(6));
    }
    return kilobytes / 1024.0;
}

inline void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

inline int runWithApplication(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zephlan::bench

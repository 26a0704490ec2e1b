// Check Flight Plans on a large file: 100,000 plan lines (or BENCH_RECORDS)
// against 25,000 airports and 2,000 aircraft. Timed twice: the check alone,
// bytes in and findings out, and the whole command as the user meets it,
// from the file chosen to the check window painted with its rows.
#include "bench/BenchSupport.h"
#include "core/PlanFileCheck.h"
#include "traffic/FileBytes.h"
#include "ui/check/frmCheckPlans.h"
#include "ui/main/frmZephlan.h"
#include "ui/main/testing/SeamDoubles.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace zephlan;
using namespace zephlan::bench;

constexpr int kAirports = 25000;
constexpr int kAircraft = 2000;

int planCount()
{
    const int given = qEnvironmentVariableIntValue("BENCH_RECORDS");
    return given > 0 ? given : 100000;
}

std::string clock(int minutes)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:00", minutes / 60 % 24, minutes % 60);
    return text;
}

// Round trips of two to four legs between airports a few hundred miles apart,
// their departures spread over the day; every 40th line names an airport not
// in the list, every 97th has lost its last field and every 61st returns
// before its outbound has landed.
void writePlans(const QString &path)
{
    std::mt19937 random(29);
    std::uniform_int_distribution<int> home(0, kAirports - 10);
    std::ofstream out(path.toStdString(), std::ios::binary);
    for (int line = 0; line < planCount(); ++line) {
        const int legs = 2 + line % 3;
        const int first = home(random);
        std::string text = "AC#" + std::to_string(1 + line % kAircraft) + ",N" + std::to_string(line) + ",50%,24Hr,IFR";
        for (int leg = 0; leg < legs; ++leg) {
            const int minutes = line % 61 == 0 ? 360 + leg : 360 + leg * 960 / legs;
            const std::string code = line % 40 == 0 && leg == 1 ? "ZZZ9" : airportCode(leg + 1 == legs ? first : first + 1 + leg * 3);
            text += ',' + clock(minutes) + ",00:00:00,350,F," + std::to_string(line % 9000 + leg) + ',' + code;
        }
        if (line % 97 == 0)
            text.erase(text.rfind(','));
        out << text << "\r\n";
    }
}

struct Files
{
    QTemporaryDir dir;
    QString airports = dir.filePath(QStringLiteral("Airports.txt"));
    QString aircraft = dir.filePath(QStringLiteral("Aircraft.txt"));
    QString plans = dir.filePath(QStringLiteral("FlightPlans.txt"));

    Files()
    {
        std::ofstream airportsOut(airports.toStdString(), std::ios::binary);
        char record[96];
        for (int i = 0; i < kAirports; ++i) {
            // Airports next to each other in the list lie a degree of longitude apart.
            const int length = std::snprintf(record, sizeof record, "%s,%c%d* %02d.%02d',%c%d* %02d.%02d',%d\r\n",
                                             airportCode(i).c_str(), i / 2000 % 2 ? 'N' : 'S', i / 180 % 70, i % 60,
                                             i * 7 % 100, i / 180 % 2 ? 'W' : 'E', i % 180, i * 11 % 60, i * 13 % 100,
                                             i * 37 % 9000);
            airportsOut.write(record, length);
        }
        std::ofstream aircraftOut(aircraft.toStdString(), std::ios::binary);
        for (int i = 1; i <= kAircraft; ++i)
            aircraftOut << "AC#" << i << ',' << 100 + i % 400 << ",\"Boeing 737-800 Paint" << i << "\"\r\n";
        writePlans(plans);
    }
};

const Files &files()
{
    static const Files made;
    return made;
}

// The main window with both lists read, as after File, Open Airport and Open Aircraft.
struct LoadedWindow
{
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    std::unique_ptr<frmZephlan> window;
    const PlanCheckLists *lists = nullptr;
    QString path;

    LoadedWindow()
        : window(std::make_unique<frmZephlan>(&dialogs, &messages))
    {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        QObject::connect(window.get(), &frmZephlan::checkPlansRequested, window.get(),
                         [this](const QString &chosen, const PlanCheckLists *given) { path = chosen, lists = given; });
        dialogs.answers = {files().airports, files().aircraft, files().plans};
        for (const char *command : {"mnuAirport", "mnuAircraft", "mnuCheckPlans"})
            window->findChild<QAction *>(QLatin1String(command))->trigger();
        window->show();
        QApplication::processEvents();
    }
};

void checkPlans(benchmark::State &state)
{
    LoadedWindow loaded;
    const FileBytesRead file = FileBytes::read(files().plans.toStdString());
    PlanFileReport report;
    for (auto _ : state) {
        report = checkPlanFile(file.bytes->view(), *loaded.lists);
        benchmark::DoNotOptimize(report);
    }
    state.counters["lines"] = static_cast<double>(report.lines);
    state.counters["rows"] = static_cast<double>(report.reported.size());
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(report.lines), benchmark::Counter::kIsIterationInvariantRate);
}

// From the file chosen to the window painted: read, checked, its rows laid out and shown.
void checkAndShow(benchmark::State &state)
{
    LoadedWindow loaded;
    double peak = 0;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        state.ResumeTiming();
        auto check = std::make_unique<frmCheckPlans>(loaded.path, loaded.lists, &loaded.messages);
        check->show();
        check->repaint();
        QApplication::processEvents();
        state.PauseTiming();
        peak = std::max(peak, peakMegabytes());
        rows = check->findChild<QTableView *>()->model()->rowCount();
        check.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["peak_rss_MB"] = peak;
}

} // namespace

BENCHMARK(checkPlans)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(checkAndShow)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return zephlan::bench::runWithApplication(argc, argv);
}

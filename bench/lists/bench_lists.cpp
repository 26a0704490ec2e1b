// How the main window copes with a million airports: opening the list into
// both pick lists, and one keystroke of the departure search.
#include "bench/BenchSupport.h"
#include "ui/main/frmZephlan.h"
#include "ui/main/testing/SeamDoubles.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zephlan;
using namespace zephlan::bench;

// A million airports, or BENCH_RECORDS for a quick run.
int airportCount()
{
    const int given = qEnvironmentVariableIntValue("BENCH_RECORDS");
    return given > 0 ? given : 1000000;
}

// The records of the file: its lines that hold anything.
int recordsIn(const QString &path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    int records = 0;
    for (std::string line; std::getline(in, line);)
        records += line.find_first_not_of("\r") != std::string::npos ? 1 : 0;
    return records;
}

// The airports file named by BENCH_AIRPORTS, or one written here.
const QString &airportsFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (const QString given = qEnvironmentVariable("BENCH_AIRPORTS"); !given.isEmpty())
            return given;
        const QString file = dir.filePath(QStringLiteral("Airports.txt"));
        std::ofstream out(file.toStdString(), std::ios::binary);
        for (int i = 0, count = airportCount(); i < count; ++i)
            out << airportCode(i) << ",Airport number " << i << ",N" << i % 90 << ",W" << i % 180 << "\r\n";
        return file;
    }();
    return path;
}

struct LoadedWindow
{
    ScriptedDialogs dialogs;
    RecordingMessages messages;
    std::unique_ptr<frmZephlan> window;

    LoadedWindow()
        : window(std::make_unique<frmZephlan>(&dialogs, &messages))
    {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QApplication::processEvents();
    }

    void openAirports()
    {
        dialogs.answers = {airportsFile()};
        window->findChild<QAction *>(QStringLiteral("mnuAirport"))->trigger();
        window->repaint();
        QApplication::processEvents();
    }
};

void openAirportList(benchmark::State &state)
{
    const int expected = recordsIn(airportsFile());
    double before = 0;
    double kept = 0;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<LoadedWindow>();
        before = residentMegabytes();
        resetPeak();
        state.ResumeTiming();
        loaded->openAirports();
        state.PauseTiming();
        kept = residentMegabytes();
        peak = std::max(peak, peakMegabytes());
        const bool filled =
            loaded->window->findChild<QListView *>(QStringLiteral("lstArrival"))->model()->rowCount() == expected;
        loaded.reset();
        if (!filled) {
            state.SkipWithError("the list did not fill");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = kept;
    state.counters["peak_rss_MB"] = peak;
}

// One keystroke that extends the search text: search, select, scroll and repaint.
// The text typed before it is set first, outside the timing.
enum class Search { PrefixAtStart, LastEntry, NoMatch };

void searchKeystroke(benchmark::State &state, Search search)
{
    static LoadedWindow *loaded = [] {
        auto *window = new LoadedWindow;
        window->openAirports();
        return window;
    }();
    auto *list = loaded->window->findChild<QListView *>(QStringLiteral("lstDeparture"));
    const QString last = list->model()->index(list->model()->rowCount() - 1, 0).data().toString();
    // Codes are letters, so a digit matches nothing; the box takes four characters.
    const QString typed = search == Search::PrefixAtStart ? QString()
        : search == Search::LastEntry                     ? last.chopped(1)
                                                          : QStringLiteral("ZZZ");
    const QChar key = search == Search::PrefixAtStart ? QChar(u'A') : search == Search::LastEntry ? last.back() : QChar(u'9');
    auto *box = loaded->window->findChild<QLineEdit *>(QStringLiteral("txtDeparture"));
    for (auto _ : state) {
        state.PauseTiming();
        box->setText(typed);
        QApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClick(box, key.toLatin1());
        loaded->window->repaint();
    }
}

double worst(const std::vector<double> &times)
{
    return *std::max_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(openAirportList)->Unit(benchmark::kMillisecond)->Iterations(3);
// Each keystroke timed on its own, a hundred times: the median and the worst.
BENCHMARK_CAPTURE(searchKeystroke, prefix_at_start, Search::PrefixAtStart)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100)->ComputeStatistics("max", worst);
BENCHMARK_CAPTURE(searchKeystroke, last_entry, Search::LastEntry)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100)->ComputeStatistics("max", worst);
BENCHMARK_CAPTURE(searchKeystroke, no_match, Search::NoMatch)
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(100)->ComputeStatistics("max", worst);

int main(int argc, char **argv)
{
    return zephlan::bench::runWithApplication(argc, argv);
}

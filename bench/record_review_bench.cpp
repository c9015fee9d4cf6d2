// Reviewing a record file of 1,000,000 lines in the signal graph panel, with
// the desktop program's window shown (offscreen platform): the time from
// OPEN RECORD FILE's choice to the panel drawn with the file (reading,
// parsing, the first decimation and paint), and one replot of the record
// view at that size, with the view changed first (a zoom or a pan: decimated
// again) and as it stands.
//
// Goals: opening <= 2 s; one replot <= 30 ms.

#include "app/record_review.h"
#include "app/session.h"
#include "recorder/record_file.h"
#include "sim_process.h"
#include "support/scripted_operator.h"
#include "ui/graph_relay.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
#include "ui/panels/signal_graph_panel.h"
#include "ui/plots/record_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

namespace {

using namespace tavrino;
using bench::verdict;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 1'000'000;
constexpr double kOpenGoalS = 2.0;
constexpr double kReplotGoalMs = 30.0;

struct Summary {
    std::optional<double> openSeconds;
    std::optional<double> replotMs;
    std::optional<double> newViewReplotMs;
    int pointsDrawn = 0;
};

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A record file as the recorder writes it: header and 1,000,000 lines of
// a slowly wandering measurement.
std::string writeRecordFile(const QTemporaryDir& dir) {
    const std::string path = dir.filePath(QStringLiteral("RecordFile.dat")).toStdString();
    std::ofstream out(path, std::ios::binary);
    out << recorder::recordHeader(Language::English, "bench", 1);
    for (int i = 0; i < kLines; ++i) {
        measurement::MeasurementRecord r;
        const double t = i * 1e-4;
        r.X = static_cast<std::int16_t>(2000 + 800 * std::sin(t));
        r.Y = static_cast<std::int16_t>(1800 + 700 * std::cos(t));
        r.Z = static_cast<std::int16_t>(900 + (i % 97));
        r.csX = 20 * std::sin(t * 3);
        r.csY = -15 * std::cos(t * 2);
        r.csI = 60 + 10 * std::sin(t);
        r.deltaE = std::abs(std::sin(t * 5));
        r.colorNo = static_cast<std::int16_t>(i / 1000 % 4);
        r.temp = static_cast<std::int16_t>(30 + i / 100'000);
        out << recorder::recordLine(r, {2026, 12, 8, i / 14'400 % 24, i / 240 % 60, i / 4 % 60});
    }
    return path;
}

struct Rig {
    QTemporaryDir dir;
    test::ScriptedOperator op;
    ui::GuiOperator gui{&op};
    ui::GraphRelay graphs;
    app::Session session{gui, graphs, dir.path().toStdString()};
    ui::MainWindow window{session};

    Rig() {
        gui.attach(&window);
        graphs.attach(&window);
        window.resize(ui::kDefaultWidth, ui::kDefaultHeight);
        window.show();
        QCoreApplication::processEvents();
    }
    ~Rig() {
        graphs.attach(nullptr);
        gui.attach(nullptr);
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    [[nodiscard]] ui::RecordView* view() const { return window.signalGraphPanel()->recordView(); }
};

void open(benchmark::State& state, Rig& rig, const std::string& path, Summary& summary) {
    double total = 0;
    for (auto _ : state) {
        app::endRecordReview(rig.session);
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        const bool loaded = app::loadRecordFile(rig.session, path);
        rig.view()->replot(QCustomPlot::rpImmediateRefresh);
        total += seconds(start, Clock::now());
        if (!loaded || rig.session.recordReview.file->lines() != kLines) {
            state.SkipWithError("the file was not loaded whole");
            return;
        }
    }
    summary.openSeconds = total / static_cast<double>(state.iterations());
    state.counters["lines"] = kLines;
    state.SetLabel("goal <= 2 s");
}

void replot(benchmark::State& state, Rig& rig, bool viewChanged, std::optional<double>& result,
            Summary& summary) {
    ui::RecordView* view = rig.view();
    if (!rig.session.recordReview.reviewing() || !view->isVisible()) {
        state.SkipWithError("no file in review");
        return;
    }
    const QCPRange whole = view->xAxis->range();
    double total = 0;
    bool panned = false;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (viewChanged) {
            // Most of the file, one step along: every line in view decimated again.
            panned = !panned;
            view->xAxis->setRange(whole.lower + (panned ? 1000 : 0), whole.upper - (panned ? 0 : 1000));
        }
        view->replot(QCustomPlot::rpImmediateRefresh);
        total += seconds(start, Clock::now());
    }
    view->xAxis->setRange(whole);
    result = total * 1e3 / static_cast<double>(state.iterations());
    summary.pointsDrawn = view->pointsDrawn();
    state.counters["points_drawn"] = view->pointsDrawn();
    state.SetLabel("goal <= 30 ms");
}

void printSummary(const Summary& s) {
    std::printf("\n%-46s %12s %12s\n", "record file review, 1000000 lines", "measured", "goal");
    if (s.openSeconds)
        std::printf("%-46s %10.3f s %12s  %s\n", "open: read, parse, first picture", *s.openSeconds, "<= 2 s",
                    verdict(*s.openSeconds <= kOpenGoalS));
    if (s.newViewReplotMs)
        std::printf("%-46s %9.2f ms %12s  %s\n", "one replot after a pan (decimated again)",
                    *s.newViewReplotMs, "<= 30 ms", verdict(*s.newViewReplotMs <= kReplotGoalMs));
    if (s.replotMs)
        std::printf("%-46s %9.2f ms %12s  %s\n", "one replot, view unchanged", *s.replotMs, "<= 30 ms",
                    verdict(*s.replotMs <= kReplotGoalMs));
    std::printf("%-46s %12d\n", "points drawn for the whole file", s.pointsDrawn);
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenUnlessAsked();
    const QApplication app(argc, argv);
    Summary summary;
    Rig rig;
    const std::string path = writeRecordFile(rig.dir);
    bench::registerTimed("record_review/open/1000000", 3, benchmark::kMillisecond,
                         [&](benchmark::State& state) { open(state, rig, path, summary); });
    bench::registerTimed(
        "record_review/replot_new_view/1000000", 50, benchmark::kMillisecond,
        [&](benchmark::State& state) { replot(state, rig, true, summary.newViewReplotMs, summary); });
    bench::registerTimed(
        "record_review/replot/1000000", 50, benchmark::kMillisecond,
        [&](benchmark::State& state) { replot(state, rig, false, summary.replotMs, summary); });
    return bench::runBenchmarks(argc, argv, [&summary] { printSummary(summary); });
}

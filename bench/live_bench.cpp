// Live measurement: frames per second of the live loop (GetData: order 8,
// decoding, display update, graph hook) against the simulated sensor running
// as its own process over loopback TCP; unpaced, and paced at 921600 and
// 115200 baud as a share of what the line can carry; the CPU the program
// uses meanwhile; and how often a 30 Hz display timer found a new frame to
// paint while the loop ran inside it. Then the same unpaced loop with the
// desktop program's graphs on screen (offscreen platform), the three-sided
// view in front, side by side with the run without graphs: frames/s, the
// graph refreshes and plot replots per second, and the cost of one refresh
// (data, replot and paint) of each graph page.
//
// Goals: unpaced >= 2000 frames/s; paced >= 0.90 of the line-rate limit;
// with graphs >= 0.5 of the rate without and >= 2000 frames/s; graph
// refreshes <= 60/s.

#include "app/connection.h"
#include "app/live_measurement.h"
#include "app/session.h"
#include "link/orders.h"
#include "measurement/display.h"
#include "session_support.h"
#include "support/scripted_operator.h"
#include "ui/graph_relay.h"
#include "ui/main_window.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/plots/live_graphs.h"
#include "ui/plots/projection_plot.h"
#include "ui/plots/strip_chart.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

using namespace tavrino;
using bench::kExchangeBits;
using bench::SimProcess;
using bench::verdict;

constexpr double kUnpacedGoal = 2000.0;
constexpr double kPacedGoal = 0.90;
constexpr int kDisplayIntervalMs = 33; // about 30 Hz

// A session connected to the simulator. Declared after the simulator so
// that it closes its end first.
constexpr double kGraphShareGoal = 0.5;
constexpr double kRefreshGoal = 60.0;

// The loop ends from the graphs' frame call after the wanted number of
// frames; every request goes on to the graphs under test (none, or the
// desktop program's).
struct StoppingGraphs final : Graphs {
    std::function<void()> onFrame;
    ui::GraphRelay target;
    void InitGraphs() override { target.InitGraphs(); }
    void ShowGraph() override {
        target.ShowGraph();
        onFrame();
    }
    void deleteProjectionPlots() override { target.deleteProjectionPlots(); }
    void refreshScopeCaptions() override { target.refreshScopeCaptions(); }
    void InitPanelGraph() override { target.InitPanelGraph(); }
    void SetPanelGraphData() override { target.SetPanelGraphData(); }
};

struct SessionUnderTest {
    test::ScriptedOperator op;
    StoppingGraphs graphs;
    app::Session session{op, graphs, QDir::tempPath().toStdString()};
    std::size_t frames = 0;
    std::size_t stopAt = 0;

    SessionUnderTest() {
        graphs.onFrame = [this] {
            if (++frames >= stopAt)
                app::CBF_ButtonStop(session);
        };
    }

    std::string open(const SimProcess& sim) { return bench::openOverTcp(session, sim, op); }

    // The sensor to baud-rate index `index`; over TCP the simulator paces
    // its replies at that rate.
    std::string switchBaud(int index) {
        if (session.link.request(link::order::ChangeBaudrate, static_cast<std::uint16_t>(index)) != 1)
            return "order 190 failed: " + op.connectionLog;
        session.connection.settings.baudIndex = static_cast<std::int16_t>(index);
        return {};
    }

    // Runs the live loop for `count` frames; empty on success.
    std::string run(std::size_t count) {
        frames = 0;
        stopAt = count;
        app::GetData(session);
        if (frames != count)
            return "the loop ended after " + std::to_string(frames) + " frames: " + op.connectionLog;
        return {};
    }
};

struct Result {
    double framesPerSecond = 0;
    double cpuShare = 0;
    double refreshesPerSecond = 0;
};

struct GraphResult {
    Result loop;
    double graphRefreshesPerSecond = 0;
    double plotReplotsPerSecond = 0;
};

// Results kept for the summary after the table.
struct Summary {
    std::optional<Result> unpaced;
    std::optional<GraphResult> withGraphs;
    std::map<int, double> refreshMs;                // by graph page 1..3
    std::map<int, std::pair<Result, double>> paced; // by baud: result, ratio to the line limit
};

// Connects the session to the simulator, or marks the benchmark as failed.
bool setUp(benchmark::State& state, const SimProcess& sim, SessionUnderTest& sut) {
    if (const std::string e = sut.open(sim); !e.empty()) {
        state.SkipWithError(e.c_str());
        return false;
    }
    return true;
}

std::optional<Result> measure(benchmark::State& state, SessionUnderTest& sut, std::size_t count) {
    if (const std::string e = sut.run(20); !e.empty()) { // connection set-up, first allocations
        state.SkipWithError(e.c_str());
        return std::nullopt;
    }
    // What a display would do: look for a newer frame at its own rate.
    measurement::FrameWatch watch;
    std::size_t refreshes = 0;
    QTimer display;
    QObject::connect(&display, &QTimer::timeout, [&] {
        if (watch.takeNew(sut.session.live.display))
            ++refreshes;
    });
    display.start(kDisplayIntervalMs);

    Result r;
    for (auto _ : state) {
        const bench::Stopwatch watch;
        if (const std::string e = sut.run(count); !e.empty()) {
            state.SkipWithError(e.c_str());
            return std::nullopt;
        }
        const double wall = watch.wallSeconds();
        r.framesPerSecond = static_cast<double>(count) / wall;
        r.cpuShare = watch.cpuSeconds() / wall;
        r.refreshesPerSecond = static_cast<double>(refreshes) / wall;
    }
    state.counters["frames_per_s"] = r.framesPerSecond;
    state.counters["cpu_share_of_wall"] = r.cpuShare;
    state.counters["display_refreshes_per_s"] = r.refreshesPerSecond;
    return r;
}

void unpaced(benchmark::State& state, Summary& summary) {
    const SimProcess sim({});
    SessionUnderTest sut;
    if (!setUp(state, sim, sut))
        return;
    if (const auto r = measure(state, sut, 20000)) {
        summary.unpaced = *r;
        state.SetLabel("goal >= 2000 frames/s");
    }
}

void paced(benchmark::State& state, int baudIndex, Summary& summary) {
    const SimProcess sim({QStringLiteral("--line-rate")});
    SessionUnderTest sut;
    if (!setUp(state, sim, sut))
        return;
    if (baudIndex != sut.session.connection.settings.baudIndex) {
        if (const std::string e = sut.switchBaud(baudIndex); !e.empty()) {
            state.SkipWithError(e.c_str());
            return;
        }
    }
    const double baud = link::baudRateForIndex(baudIndex);
    const double limit = baud / kExchangeBits;
    // About 2.5 s at the line-rate limit.
    const auto count = static_cast<std::size_t>(limit * 2.5);
    if (const auto r = measure(state, sut, count)) {
        const double ratio = r->framesPerSecond / limit;
        state.counters["line_limit_per_s"] = limit;
        state.counters["ratio_to_line_limit"] = ratio;
        state.SetLabel("goal ratio >= 0.90");
        summary.paced[static_cast<int>(baud)] = {*r, ratio};
    }
}

// The desktop program's window on the session, shown (offscreen), with the
// measurement display panel in front and one of its graph pages showing.
class WindowUnderTest {
public:
    explicit WindowUnderTest(SessionUnderTest& sut) : sut_(sut), window_(sut.session) {
        sut_.graphs.target.attach(&window_);
        window_.resize(ui::kDefaultWidth, ui::kDefaultHeight);
        window_.show();
        window_.ShowChildPanelDisp(ChildPanel::MeasurementDisplay);
        showPage(2);
    }
    ~WindowUnderTest() { sut_.graphs.target.attach(nullptr); }
    WindowUnderTest(const WindowUnderTest&) = delete;
    WindowUnderTest& operator=(const WindowUnderTest&) = delete;

    void showPage(int page) {
        window_.measurementDisplayPanel()->graphTabs()->setCurrentIndex(page);
        QCoreApplication::processEvents();
    }
    [[nodiscard]] ui::MainWindow& window() { return window_; }
    [[nodiscard]] ui::LiveGraphs& graphs() { return *window_.liveGraphs(); }
    // Replots of every plot of the three graph pages.
    [[nodiscard]] std::size_t plotReplots() {
        const ui::LiveGraphWidgets& w = window_.measurementDisplayPanel()->graphWidgets();
        std::size_t n = w.xyz->replots() + w.xyz3D->replots();
        for (const ui::StripChart* c : w.coordinates)
            n += c->replots();
        for (const ui::ProjectionPlot* p : w.projections)
            n += p->replots();
        return n;
    }

private:
    SessionUnderTest& sut_;
    ui::MainWindow window_;
};

void unpacedWithGraphs(benchmark::State& state, Summary& summary) {
    const SimProcess sim({});
    SessionUnderTest sut;
    if (!setUp(state, sim, sut))
        return;
    WindowUnderTest w(sut);
    sut.session.graphs().InitGraphs(); // as GO does
    const std::size_t refreshes0 = w.graphs().refreshes();
    const std::size_t replots0 = w.plotReplots();
    constexpr std::size_t kFrames = 20000;
    const auto r = measure(state, sut, kFrames);
    if (!r)
        return;
    const double wall = static_cast<double>(kFrames) / r->framesPerSecond;
    GraphResult g{*r, static_cast<double>(w.graphs().refreshes() - refreshes0) / wall,
                  static_cast<double>(w.plotReplots() - replots0) / wall};
    state.counters["graph_refreshes_per_s"] = g.graphRefreshesPerSecond;
    state.counters["plot_replots_per_s"] = g.plotReplotsPerSecond;
    state.SetLabel("three-sided view in front; goal >= 0.5 of the rate without graphs");
    summary.withGraphs = g;
}

// One refresh of a graph page: the newest frame's data into its plots, the
// replots and the paint.
void pageRefresh(benchmark::State& state, int page, Summary& summary) {
    SessionUnderTest sut;
    WindowUnderTest w(sut);
    w.showPage(page);
    measurement::MeasurementRecord& record = sut.session.live.record;
    std::int16_t n = 0;
    const bench::Stopwatch watch;
    std::size_t count = 0;
    for (auto _ : state) {
        ++n;
        record.X = static_cast<std::int16_t>(1000 + n % 500);
        record.csX = 0.3 + (n % 100) * 0.001;
        record.csI = 0.5 + (n % 37) * 0.01;
        app::SetPanelData(sut.session);
        w.window().ShowGraph();
        w.graphs().refresh();
        QCoreApplication::processEvents();
        ++count;
    }
    summary.refreshMs[page + 1] = watch.wallSeconds() * 1e3 / static_cast<double>(count);
}

void printSummary(const Summary& summary) {
    std::printf("\n%-22s %12s %10s %10s %16s\n", "live loop over TCP", "frames/s", "ratio", "CPU share",
                "display paints/s");
    if (summary.unpaced)
        std::printf("%-22s %12.0f %10s %9.0f%% %16.1f\n", "unpaced", summary.unpaced->framesPerSecond, "-",
                    summary.unpaced->cpuShare * 100, summary.unpaced->refreshesPerSecond);
    for (const auto& [baud, entry] : summary.paced) {
        const std::string name = "paced " + std::to_string(baud);
        std::printf("%-22s %12.1f %10.3f %9.0f%% %16.1f\n", name.c_str(), entry.first.framesPerSecond,
                    entry.second, entry.first.cpuShare * 100, entry.first.refreshesPerSecond);
    }
    if (summary.withGraphs) {
        const GraphResult& g = *summary.withGraphs;
        std::printf("%-22s %12.0f %10s %9.0f%% %16.1f\n", "unpaced, graphs shown", g.loop.framesPerSecond,
                    "-", g.loop.cpuShare * 100, g.loop.refreshesPerSecond);
        std::printf("\n%-34s %10.1f\n%-34s %10.1f\n", "graph refreshes/s (page 3 in front)",
                    g.graphRefreshesPerSecond, "plot replots/s (4 plots on page 3)", g.plotReplotsPerSecond);
    }
    for (const auto& [page, ms] : summary.refreshMs)
        std::printf("one refresh of graph page %d: %8.2f ms\n", page, ms);
    std::printf("\nGoals:\n");
    if (summary.unpaced)
        std::printf("  unpaced >= %.0f frames/s: %.0f  %s\n", kUnpacedGoal, summary.unpaced->framesPerSecond,
                    verdict(summary.unpaced->framesPerSecond >= kUnpacedGoal));
    for (const auto& [baud, entry] : summary.paced)
        std::printf("  paced %d >= %.2f of the line-rate limit: %.3f  %s\n", baud, kPacedGoal, entry.second,
                    verdict(entry.second >= kPacedGoal));
    if (summary.unpaced && summary.withGraphs) {
        const double withGraphs = summary.withGraphs->loop.framesPerSecond;
        const double share = withGraphs / summary.unpaced->framesPerSecond;
        std::printf("  with graphs >= %.1f of the rate without: %.3f  %s\n", kGraphShareGoal, share,
                    verdict(share >= kGraphShareGoal));
        std::printf("  with graphs >= %.0f frames/s: %.0f  %s\n", kUnpacedGoal, withGraphs,
                    verdict(withGraphs >= kUnpacedGoal));
        std::printf("  graph refreshes <= %.0f/s: %.1f  %s\n", kRefreshGoal,
                    summary.withGraphs->graphRefreshesPerSecond,
                    verdict(summary.withGraphs->graphRefreshesPerSecond <= kRefreshGoal));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    bench::offscreenUnlessAsked();
    const QApplication app(argc, argv);
    Summary summary;

    bench::registerTimed("live/unpaced/tcp", 1, benchmark::kMillisecond,
                         [&summary](benchmark::State& state) { unpaced(state, summary); });
    bench::registerTimed("live/unpaced/tcp/graphs", 1, benchmark::kMillisecond,
                         [&summary](benchmark::State& state) { unpacedWithGraphs(state, summary); });
    for (const int page : {0, 1, 2})
        bench::registerTimed(
            "graphs/refresh/page" + std::to_string(page + 1), 300, benchmark::kMillisecond,
            [page, &summary](benchmark::State& state) { pageRefresh(state, page, summary); });
    for (const int baudIndex : {7, 4})
        bench::registerTimed(
            "live/paced/tcp/" + std::to_string(link::baudRateForIndex(baudIndex)), 1, benchmark::kMillisecond,
            [baudIndex, &summary](benchmark::State& state) { paced(state, baudIndex, summary); });

    return bench::runBenchmarks(argc, argv, [&summary] { printSummary(summary); });
}

// Recorder: the interval precision of mode 0 (0.25 s, 40 lines: the mean
// period between the starts of two requests and the largest deviation from
// 0.25 s), and the throughput of the triggered recorder with the simulated
// sensor streaming 1000 frames a second for 10 s (lines written per frame
// the sensor sent before it took the stop, and the CPU the program used).
// The simulator runs as its own process over loopback TCP.
//
// Goals: mean period within 1 ms of the interval, largest deviation under
// 10 ms; lines / frames = 1.0 with the CPU under 25 % of one core.

#include "app/connection.h"
#include "app/recorder.h"
#include "app/session.h"
#include "link/orders.h"
#include "session_support.h"
#include "support/scripted_operator.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tavrino;
using bench::SimProcess;
using bench::verdict;
using Clock = std::chrono::steady_clock;

constexpr double kInterval = 0.25;
constexpr int kIntervalLines = 40;
constexpr int kStreamRate = 1000;
constexpr int kStreamMs = 10000;

struct Summary {
    std::optional<double> meanPeriod;   // seconds
    std::optional<double> maxDeviation; // seconds
    int lines = 0;
    int framesSent = 0;
    int framesReadPast = 0; // on their way when STOP came, recorded while the stop read past them
    std::optional<double> cpuShare;
};

struct SessionUnderTest {
    QTemporaryDir dir;
    test::ScriptedOperator op;
    NoGraphs graphs;
    app::Session session{op, graphs, dir.path().toStdString()};

    std::string open(const SimProcess& sim) {
        if (std::string e = bench::openOverTcp(session, sim, op); !e.empty())
            return e;
        session.shell.paths.recorderFile = dir.filePath("RecordFile.dat").toStdString();
        if (!app::WriteFileHeader(session))
            return "the record file could not be written";
        return {};
    }

    [[nodiscard]] int lines() const {
        QFile f(QString::fromStdString(session.shell.paths.recorderFile));
        return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count("\r\n")) : 0;
    }
};

void interval(benchmark::State& state, Summary& summary) {
    const SimProcess sim({});
    SessionUnderTest sut;
    if (const std::string e = sut.open(sim); !e.empty()) {
        state.SkipWithError(e.c_str());
        return;
    }
    std::vector<Clock::time_point> starts;
    sut.session.link.trace = [&starts](bool sent, const std::uint8_t* bytes, std::size_t) {
        if (sent && bytes[1] == link::order::Measure)
            starts.push_back(Clock::now());
    };
    app::RecorderState& r = sut.session.recorder;
    r.interval = kInterval;
    r.numberOfValues = kIntervalLines;
    for (auto _ : state) {
        starts.clear();
        sut.op.confirmAnswers = {true};
        if (app::recordAtInterval(sut.session) != 1 || starts.size() != kIntervalLines) {
            state.SkipWithError(("recording failed: " + sut.op.connectionLog).c_str());
            return;
        }
    }
    double sum = 0, worst = 0;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const double period = std::chrono::duration<double>(starts[i] - starts[i - 1]).count();
        sum += period;
        worst = std::max(worst, std::abs(period - kInterval));
    }
    summary.meanPeriod = sum / static_cast<double>(starts.size() - 1);
    summary.maxDeviation = worst;
    state.counters["mean_period_ms"] = *summary.meanPeriod * 1e3;
    state.counters["max_deviation_ms"] = worst * 1e3;
    state.SetLabel("goal |mean - 250 ms| <= 1 ms, deviation < 10 ms");
}

// Frames the simulator sent before it received the stop of the automatic sending.
int framesBeforeStop(const QString& log) {
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int frames = 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.contains("rx 55 1E 00 00"))
            break;
        frames += line.contains("tx 55 08") ? 1 : 0;
    }
    return frames;
}

void triggered(benchmark::State& state, Summary& summary) {
    QTemporaryDir logDir;
    const QString log = logDir.filePath("sim.log");
    const SimProcess sim(
        {QStringLiteral("--stream-rate"), QString::number(kStreamRate), QStringLiteral("--verbose")}, log);
    SessionUnderTest sut;
    if (const std::string e = sut.open(sim); !e.empty()) {
        state.SkipWithError(e.c_str());
        return;
    }
    // Frames the link read, and those it read after sending the stop.
    int received = 0;
    int afterStop = 0;
    bool stopSent = false;
    sut.session.link.trace = [&](bool sent, const std::uint8_t* bytes, std::size_t) {
        if (sent && bytes[1] == link::order::AutoSend && bytes[2] == 0)
            stopSent = true;
        if (!sent && bytes[1] == link::order::Measure) {
            ++received;
            afterStop += stopSent ? 1 : 0;
        }
    };
    for (auto _ : state) {
        sut.op.confirmAnswers = {true};
        QTimer::singleShot(kStreamMs, [&sut] { app::CBF_ButtonRecordStop(sut.session); });
        const bench::Stopwatch watch;
        if (app::recordTriggered(sut.session) != 1) {
            state.SkipWithError(("recording failed: " + sut.op.connectionLog).c_str());
            return;
        }
        summary.cpuShare = watch.cpuShare();
    }
    // The header's title, empty and heading lines end in CR LF too.
    summary.lines = sut.lines() - 3;
    summary.framesSent = framesBeforeStop(log);
    summary.framesReadPast = afterStop;
    state.counters["frames_read"] = received;
    state.counters["lines"] = summary.lines;
    state.counters["frames_sent"] = summary.framesSent;
    state.counters["cpu_share"] = summary.cpuShare.value_or(0);
    state.SetLabel("goal lines/frames = 1.0, CPU < 25 %");
}

void printSummary(const Summary& s) {
    std::printf("\n%-40s %14s %14s\n", "recorder", "measured", "goal");
    if (s.meanPeriod) {
        std::printf("%-40s %11.3f ms %14s  %s\n", "interval 0.25 s x 40: mean period", *s.meanPeriod * 1e3,
                    "250 +- 1 ms", verdict(std::abs(*s.meanPeriod - kInterval) <= 1e-3));
        std::printf("%-40s %11.3f ms %14s  %s\n", "interval: largest deviation", *s.maxDeviation * 1e3,
                    "< 10 ms", verdict(*s.maxDeviation < 10e-3));
    }
    if (s.cpuShare) {
        const double ratio = s.framesSent > 0 ? static_cast<double>(s.lines) / s.framesSent : 0;
        std::printf("%-40s %14.4f %14s  %s\n", "triggered 1000 Hz x 10 s: lines/frames", ratio, "1.0",
                    verdict(s.lines == s.framesSent));
        std::printf("%-40s %8d/%5d %14s\n", "  lines / frames sent before the stop", s.lines, s.framesSent,
                    "");
        std::printf("%-40s %14d %14s\n", "  frames read past after STOP", s.framesReadPast, "");
        std::printf("%-40s %12.1f %% %14s  %s\n", "triggered: CPU of one core", *s.cpuShare * 100, "< 25 %",
                    verdict(*s.cpuShare < 0.25));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    Summary summary;
    bench::registerTimed("recorder/interval/0.25s/40", 1, benchmark::kMillisecond,
                         [&summary](benchmark::State& state) { interval(state, summary); });
    bench::registerTimed("recorder/triggered/1000Hz/10s", 1, benchmark::kMillisecond,
                         [&summary](benchmark::State& state) { triggered(state, summary); });
    return bench::runBenchmarks(argc, argv, [&summary] { printSummary(summary); });
}

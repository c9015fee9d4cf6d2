// Sensor link: measurement exchanges (order 8) per second against the
// simulated sensor running as its own process, over loopback TCP and over its
// pseudo-terminal; unpaced, and paced at 115200 and 921600 baud as a share of
// what the line can carry; and the CPU the link uses while it waits on a
// sensor that does not answer.
//
// Goals: paced >= 0.90 of the line-rate limit at both rates; unpaced TCP
// >= 10000 exchanges/s; waiting < 5 % of one core.

#include "link/orders.h"
#include "link/sensor_link.h"
#include "measurement/record.h"
#include "sim_process.h"
#include "support/scripted_operator.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <map>
#include <optional>
#include <string>

namespace {

using namespace tavrino;
using bench::kExchangeBits;
using bench::SimProcess;
using bench::verdict;
namespace order = link::order;

constexpr double kPacedGoal = 0.90;
constexpr double kUnpacedTcpGoal = 10000.0;
constexpr double kWaitingGoal = 0.05;

enum class Line { Tcp, Pty };

const char* nameOf(Line line) {
    return line == Line::Tcp ? "tcp" : "pty";
}

// The link with what it needs around it. Declared after the simulator so that
// it closes its end first.
struct LinkUnderTest {
    RunFlags flags;
    test::ScriptedOperator op;
    Language language = Language::English;
    link::SensorLink link{flags, op, language};
    link::ConnectionSettings settings;

    // Empty on success, otherwise what went wrong.
    std::string open(const SimProcess& sim, Line line) {
        if (line == Line::Tcp) {
            settings.serverAddress = "127.0.0.1";
            settings.portNumber = std::to_string(sim.tcpPort());
            link.InitTCP_IP(settings);
            return link.tcpConnected() ? std::string{} : "TCP: " + op.connectionLog;
        }
        settings.comDevice = sim.ptyPath();
        link.InitRS232(settings);
        return link.serialOpen() ? std::string{} : "pty: " + op.connectionLog;
    }

    // Empty on success, otherwise the link's report.
    std::string measure() {
        if (link.request(order::Measure, 0) != 1)
            return "order 8 failed: " + op.connectionLog;
        if (link.lastReply().length != measurement::kPayloadSize)
            return "order 8 reply of " + std::to_string(link.lastReply().length) + " bytes";
        return {};
    }

    // Both sides to baud-rate index `index`: the sensor switches after its
    // reply; the serial port is opened again at the new rate.
    std::string switchBaud(Line line, int index) {
        if (link.request(order::ChangeBaudrate, static_cast<std::uint16_t>(index)) != 1)
            return "order 190 failed: " + op.connectionLog;
        if (line == Line::Pty) {
            settings.baudIndex = static_cast<std::int16_t>(index);
            link.InitRS232(settings);
            if (!link.serialOpen())
                return "pty reopen: " + op.connectionLog;
        }
        return {};
    }
};

// Results kept for the summary after the tables.
struct Summary {
    std::map<std::string, double> unpaced; // exchanges/s by line
    std::map<std::string, double> paced;   // ratio to the line limit by "line baud"
    std::map<std::string, double> waiting; // CPU share by line
};

// Opens the simulator and the link, or marks the benchmark as failed.
bool setUp(benchmark::State& state, const SimProcess& sim, LinkUnderTest& lut, Line line) {
    if (!sim.error().empty()) {
        state.SkipWithError(sim.error().c_str());
        return false;
    }
    if (const std::string e = lut.open(sim, line); !e.empty()) {
        state.SkipWithError(e.c_str());
        return false;
    }
    return true;
}

// Runs the timed exchanges and returns their exchanges per second of wall
// time; nothing (and the benchmark failed) on a failure.
std::optional<double> exchanges(benchmark::State& state, LinkUnderTest& lut) {
    // A few untimed exchanges first: connection set-up, first allocations.
    for (int i = 0; i < 10; ++i) {
        if (const std::string e = lut.measure(); !e.empty()) {
            state.SkipWithError(e.c_str());
            return std::nullopt;
        }
    }
    const bench::Stopwatch watch;
    for (auto _ : state) {
        if (const std::string e = lut.measure(); !e.empty()) {
            state.SkipWithError(e.c_str());
            return std::nullopt;
        }
    }
    return static_cast<double>(state.iterations()) / watch.wallSeconds();
}

void unpaced(benchmark::State& state, Line line, Summary& summary) {
    const SimProcess sim({});
    LinkUnderTest lut;
    if (!setUp(state, sim, lut, line))
        return;
    const auto rate = exchanges(state, lut);
    if (!rate)
        return;
    state.counters["exchanges_per_s"] = *rate;
    summary.unpaced[nameOf(line)] = *rate;
    if (line == Line::Tcp)
        state.SetLabel("goal >= 10000/s");
}

void paced(benchmark::State& state, Line line, int baudIndex, Summary& summary) {
    const SimProcess sim({QStringLiteral("--line-rate")});
    LinkUnderTest lut;
    if (!setUp(state, sim, lut, line))
        return;
    if (baudIndex != lut.settings.baudIndex) {
        if (const std::string e = lut.switchBaud(line, baudIndex); !e.empty()) {
            state.SkipWithError(e.c_str());
            return;
        }
    }
    const double limit = link::baudRateForIndex(baudIndex) / kExchangeBits;
    const auto rate = exchanges(state, lut);
    if (!rate)
        return;
    state.counters["exchanges_per_s"] = *rate;
    state.counters["line_limit_per_s"] = limit;
    state.counters["ratio_to_line_limit"] = *rate / limit;
    state.SetLabel("goal ratio >= 0.90");
    summary.paced[std::string(nameOf(line)) + " " + std::to_string(link::baudRateForIndex(baudIndex))] =
        *rate / limit;
}

void silentWait(benchmark::State& state, Line line, Summary& summary) {
    const SimProcess sim({QStringLiteral("--fault"), QStringLiteral("drop:8")});
    LinkUnderTest lut;
    if (!setUp(state, sim, lut, line))
        return;
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const bench::Stopwatch watch;
        const int result = lut.link.request(order::Measure, 0);
        wall += watch.wallSeconds();
        cpu += watch.cpuSeconds();
        if (result != -1) {
            state.SkipWithError("the silent sensor answered");
            return;
        }
    }
    const double share = wall > 0 ? cpu / wall : 0;
    state.counters["cpu_share_of_wall"] = share;
    state.counters["cpu_ms"] = cpu * 1e3;
    state.SetLabel("goal < 0.05");
    summary.waiting[nameOf(line)] = share;
}

void printSummary(const Summary& summary) {
    std::printf("\nGoals:\n");
    for (const auto& [line, rate] : summary.unpaced)
        if (line == "tcp")
            std::printf("  unpaced over TCP loopback >= %.0f exchanges/s: %.0f  %s\n", kUnpacedTcpGoal, rate,
                        verdict(rate >= kUnpacedTcpGoal));
    for (const auto& [name, ratio] : summary.paced)
        std::printf("  paced %-12s >= %.2f of the line-rate limit: %.3f  %s\n", name.c_str(), kPacedGoal,
                    ratio, verdict(ratio >= kPacedGoal));
    for (const auto& [line, share] : summary.waiting)
        std::printf("  waiting on a silent sensor (%s) < %.0f %% of one core: %.2f %%  %s\n", line.c_str(),
                    kWaitingGoal * 100, share * 100, verdict(share < kWaitingGoal));
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    Summary summary;

    for (const Line line : {Line::Tcp, Line::Pty})
        bench::registerTimed(std::string("unpaced/") + nameOf(line), line == Line::Tcp ? 20000 : 10000,
                             benchmark::kMicrosecond,
                             [line, &summary](benchmark::State& state) { unpaced(state, line, summary); });
    for (const int baudIndex : {4, 7})
        for (const Line line : {Line::Tcp, Line::Pty})
            // About 2.5 s at the line-rate limit.
            bench::registerTimed(std::string("paced/") + nameOf(line) + "/" +
                                     std::to_string(link::baudRateForIndex(baudIndex)),
                                 baudIndex == 4 ? 400 : 3000, benchmark::kMicrosecond,
                                 [line, baudIndex, &summary](benchmark::State& state) {
                                     paced(state, line, baudIndex, summary);
                                 });
    for (const Line line : {Line::Tcp, Line::Pty})
        bench::registerTimed(std::string("silent_wait/") + nameOf(line), 1, benchmark::kMillisecond,
                             [line, &summary](benchmark::State& state) { silentWait(state, line, summary); });

    return bench::runBenchmarks(argc, argv, [&summary] { printSummary(summary); });
}

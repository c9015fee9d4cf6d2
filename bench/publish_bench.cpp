// Publishing to an MQTT broker: tavrino-cli publish against tavrino-sim and
// a mosquitto broker, all as separate processes on loopback, read by a
// subscriber in this program.
//
// One unpaced simulated sensor: frames published per second (the publisher's
// run of N frames, connection check and final flush included) against frames
// per second of `measure -n N` on the same simulator, alternating, at QoS 0
// and QoS 1 (where the exit status 0 says the broker confirmed every frame).
// The plant's consumers read on other machines; the same runs with one
// subscriber on this machine, which must receive every frame, show what the
// broker's fan-out costs where the cores are few. Ten simulated sensors and
// ten publishers into one broker, unpaced and paced at the line rate:
// messages one subscriber receives per second, and the CPU the ten
// publishers use together (1.0 = one core).
//
// Goal: published / measured >= 0.90 at both QoS.

#include "sim_process.h"
#include "support/build_paths.h"
#include "support/mqtt_broker.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using tavrino::test::Broker;
using tavrino::test::Message;
using tavrino::test::Subscriber;

constexpr long kFrames = 20000;
constexpr int kRounds = 3;
constexpr int kSensors = 10;
constexpr auto kWindow = std::chrono::seconds(5);
constexpr double kRatioGoal = 0.90;

// A child process: tavrino-sim (its endpoint read from its first line) or
// tavrino-cli.
class Child {
public:
    Child(const QString& program, const QStringList& args) {
        process_.setProgram(program);
        process_.setArguments(args);
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
        process_.waitForStarted(5000);
    }
    ~Child() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // The simulator's "tcp HOST:PORT".
    QString endpoint() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000))
                return {};
        const QString line = QString::fromLocal8Bit(process_.readLine());
        const qsizetype at = line.indexOf(QStringLiteral("tcp "));
        return at < 0 ? QString() : line.mid(at + 4).section(QLatin1Char(' '), 0, 0).trimmed();
    }
    // Exit status once ended; -1 when it crashed or is still running.
    int finish(int timeoutMs = 120000) {
        if (!process_.waitForFinished(timeoutMs))
            return -1;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    void terminate() { process_.terminate(); }
    // User and system CPU seconds so far (from /proc).
    [[nodiscard]] double cpuSeconds() const {
        std::ifstream stat("/proc/" + std::to_string(process_.processId()) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            return 0;
        std::istringstream fields(text.substr(close + 2));
        std::string field;
        double ticks = 0;
        for (int i = 3; fields >> field && i <= 15; ++i)
            if (i == 14 || i == 15)
                ticks += std::stod(field);
        return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }

private:
    QProcess process_;
};

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Frames per second of one run of tavrino-cli with `args`; nothing when it failed.
std::optional<double> runRate(const QStringList& args, long frames) {
    const auto start = Clock::now();
    Child cli(QString::fromUtf8(tavrino::test::cliProgram()), args);
    if (cli.finish() != 0)
        return std::nullopt;
    return static_cast<double>(frames) / seconds(Clock::now() - start);
}

struct OneSensor {
    double measured = 0;                 // frames/s of measure
    double published = 0;                // frames/s of publish
    std::optional<std::size_t> received; // by the subscriber on this machine, if there was one
    std::size_t expected = 0;
};

struct Summary {
    std::optional<OneSensor> qos0, qos1, qos0Read, qos1Read;
    std::optional<std::pair<double, double>> tenUnpaced, tenPaced; // messages/s, CPU share
};

void oneSensor(benchmark::State& state, int qos, bool read, std::optional<OneSensor>& out) {
    const Broker broker;
    if (!broker.ready()) {
        state.SkipWithError("mosquitto did not start (scripts/install-deps.sh installs it)");
        return;
    }
    Child sim(QString::fromUtf8(tavrino::test::simProgram()), {"--tcp", "127.0.0.1:0", "--seed", "1"});
    const QString endpoint = sim.endpoint();
    std::optional<Subscriber> subscriber;
    if (read)
        subscriber.emplace(broker.port());
    if (endpoint.isEmpty() || (subscriber && !subscriber->subscribed())) {
        state.SkipWithError("no simulator or no subscription");
        return;
    }
    const QString n = QString::number(kFrames);
    OneSensor r;
    double measureSum = 0, publishSum = 0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const auto m = runRate({"--tcp", endpoint, "measure", "-n", n}, kFrames);
            const auto p = runRate({"--tcp", endpoint, "publish", "--broker", broker.address(), "--qos",
                                    QString::number(qos), "--id", "bench", "-n", n},
                                   kFrames);
            if (!m || !p) {
                state.SkipWithError("a tavrino-cli run failed");
                return;
            }
            measureSum += *m;
            publishSum += *p;
        }
    }
    r.measured = measureSum / kRounds;
    r.published = publishSum / kRounds;
    r.expected = static_cast<std::size_t>(kFrames) * kRounds;
    if (subscriber) {
        // Counted as they come: a scan of everything per message would not keep up.
        std::size_t scanned = 0, received = 0;
        subscriber->waitFor(
            [&](const std::vector<Message>& all) {
                for (; scanned < all.size(); ++scanned)
                    received += all[scanned].topic == "tavrino/bench/measurement" ? 1 : 0;
                return received >= r.expected;
            },
            std::chrono::seconds(10));
        r.received = received;
        state.counters["received"] = static_cast<double>(received);
    }
    state.counters["measure_fps"] = r.measured;
    state.counters["publish_fps"] = r.published;
    state.counters["ratio"] = r.published / r.measured;
    state.SetLabel(read ? "one subscriber on this machine: every frame received" : "goal ratio >= 0.90");
    out = r;
}

void tenSensors(benchmark::State& state, bool paced, std::optional<std::pair<double, double>>& out) {
    const Broker broker;
    if (!broker.ready()) {
        state.SkipWithError("mosquitto did not start (scripts/install-deps.sh installs it)");
        return;
    }
    std::vector<std::unique_ptr<Child>> sims, publishers;
    QStringList endpoints;
    for (int i = 0; i < kSensors; ++i) {
        QStringList args{"--tcp", "127.0.0.1:0", "--seed", QString::number(i + 1)};
        if (paced)
            args << "--line-rate";
        sims.push_back(std::make_unique<Child>(QString::fromUtf8(tavrino::test::simProgram()), args));
        endpoints << sims.back()->endpoint();
        if (endpoints.back().isEmpty()) {
            state.SkipWithError("a simulator did not start");
            return;
        }
    }
    Subscriber subscriber(broker.port());
    if (!subscriber.subscribed()) {
        state.SkipWithError("no subscription");
        return;
    }
    for (int i = 0; i < kSensors; ++i)
        publishers.push_back(
            std::make_unique<Child>(QString::fromUtf8(tavrino::test::cliProgram()),
                                    QStringList{"--tcp", endpoints[i], "publish", "--broker",
                                                broker.address(), "--id", QStringLiteral("s%1").arg(i)}));
    // Every publisher has announced its sensor.
    std::size_t scanned = 0;
    int online = 0;
    const bool all = subscriber.waitFor(
        [&](const std::vector<Message>& m) {
            for (; scanned < m.size(); ++scanned)
                online += m[scanned].topic.ends_with("/status") && m[scanned].payload == "online" ? 1 : 0;
            return online >= kSensors;
        },
        std::chrono::seconds(30));
    if (!all) {
        state.SkipWithError("not every publisher came online");
        return;
    }
    double rate = 0, cpu = 0;
    for (auto _ : state) {
        double cpu0 = 0;
        for (const auto& p : publishers)
            cpu0 += p->cpuSeconds();
        const std::size_t count0 = subscriber.count();
        const auto start = Clock::now();
        std::this_thread::sleep_for(kWindow);
        const double wall = seconds(Clock::now() - start);
        const std::size_t count1 = subscriber.count();
        double cpu1 = 0;
        for (const auto& p : publishers)
            cpu1 += p->cpuSeconds();
        rate = static_cast<double>(count1 - count0) / wall;
        cpu = (cpu1 - cpu0) / wall;
    }
    for (const auto& p : publishers)
        p->terminate();
    for (const auto& p : publishers)
        p->finish(30000);
    state.counters["received_per_s"] = rate;
    state.counters["publishers_cpu"] = cpu;
    out = std::make_pair(rate, cpu);
}

void printSummary(const Summary& s) {
    std::printf("\n%-52s %14s %10s\n", "publish", "measured", "goal");
    const auto one = [](const char* name, const std::optional<OneSensor>& r) {
        if (!r)
            return;
        const double ratio = r->published / r->measured;
        if (r->received) {
            std::printf("%-52s %14.3f\n", name, ratio);
            std::printf("%-52s %8zu/%5zu %10s  %s\n", "  frames received / published", *r->received,
                        r->expected, "all", tavrino::bench::verdict(*r->received == r->expected));
        } else {
            std::printf("%-52s %14.3f %10s  %s\n", name, ratio, ">= 0.90",
                        tavrino::bench::verdict(ratio >= kRatioGoal));
        }
        std::printf("%-52s %8.0f/%5.0f\n", "  frames/s published / measured", r->published, r->measured);
    };
    one("one unpaced sensor, QoS 0: published / measure rate", s.qos0);
    one("one unpaced sensor, QoS 1: published / measure rate", s.qos1);
    one("  the same, QoS 0, one subscriber on this machine", s.qos0Read);
    one("  the same, QoS 1, one subscriber on this machine", s.qos1Read);
    const auto ten = [](const char* name, const std::optional<std::pair<double, double>>& r) {
        if (!r)
            return;
        std::printf("%-52s %12.0f/s\n", name, r->first);
        std::printf("%-52s %12.2f cores (of %ld)\n", "  CPU of the ten publishers together", r->second,
                    ::sysconf(_SC_NPROCESSORS_ONLN));
    };
    ten("ten unpaced sensors: messages received", s.tenUnpaced);
    ten("ten sensors at the line rate: messages received", s.tenPaced);
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (tavrino::test::mosquittoBinary().isEmpty()) {
        std::fprintf(stderr, "tavrino-bench-publish: the mosquitto broker is not installed "
                             "(scripts/install-deps.sh installs it)\n");
        return 0;
    }
    Summary summary;
    const auto one = [](const char* name, int qos, bool read, std::optional<OneSensor>& out) {
        tavrino::bench::registerTimed(
            name, 1, benchmark::kMillisecond,
            [qos, read, &out](benchmark::State& state) { oneSensor(state, qos, read, out); });
    };
    one("publish/one-sensor/qos0", 0, false, summary.qos0);
    one("publish/one-sensor/qos1", 1, false, summary.qos1);
    one("publish/one-sensor/qos0/subscriber", 0, true, summary.qos0Read);
    one("publish/one-sensor/qos1/subscriber", 1, true, summary.qos1Read);
    tavrino::bench::registerTimed(
        "publish/ten-sensors/unpaced", 1, benchmark::kMillisecond,
        [&summary](benchmark::State& state) { tenSensors(state, false, summary.tenUnpaced); });
    tavrino::bench::registerTimed(
        "publish/ten-sensors/line-rate", 1, benchmark::kMillisecond,
        [&summary](benchmark::State& state) { tenSensors(state, true, summary.tenPaced); });
    return tavrino::bench::runBenchmarks(argc, argv, [&summary] { printSummary(summary); });
}

#pragma once

// What the benchmarks share: the simulated sensor as a child process, the
// line-rate arithmetic, the clocks, the registration of timed runs and the
// run with its goal summary.
#include "link/frame.h"
#include "measurement/record.h"
#include "support/build_paths.h"

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <ctime>
#include <string>
#include <utility>

namespace tavrino::bench {

// One order-8 exchange on the line: an 8-byte request and a 60-byte reply,
// 10 bits per byte.
inline constexpr double kExchangeBits =
    (link::kHeaderSize + link::kHeaderSize + measurement::kPayloadSize) * 10.0;

// tavrino-sim as a child process; its first stdout line names the endpoints.
class SimProcess {
public:
    // With `logFile` the simulator's stderr (its --verbose log) goes there
    // instead of to ours.
    explicit SimProcess(const QStringList& extra, const QString& logFile = {}) {
        process_.setProgram(QString::fromUtf8(tavrino::test::simProgram()));
        process_.setArguments(QStringList{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                                          QStringLiteral("--pty"), QStringLiteral("--seed"),
                                          QStringLiteral("1")} +
                              extra);
        if (logFile.isEmpty())
            process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        else
            process_.setStandardErrorFile(logFile);
        process_.start();
        if (!process_.waitForStarted(5000)) {
            error_ = "cannot start " + process_.program().toStdString();
            return;
        }
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(5000)) {
                error_ = "no endpoint line from tavrino-sim";
                return;
            }
        }
        const QStringList words =
            QString::fromLocal8Bit(process_.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 1 < words.size(); i += 2) {
            const QString value = words[i + 1].trimmed();
            if (words[i] == QLatin1String("tcp"))
                tcpPort_ = value.mid(value.lastIndexOf(QLatin1Char(':')) + 1).toUInt();
            else if (words[i] == QLatin1String("pty"))
                ptyPath_ = value.toStdString();
        }
        if (tcpPort_ == 0 || ptyPath_.empty())
            error_ = "unexpected endpoint line from tavrino-sim";
    }
    ~SimProcess() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    [[nodiscard]] const std::string& error() const { return error_; }
    [[nodiscard]] unsigned tcpPort() const { return tcpPort_; }
    [[nodiscard]] const std::string& ptyPath() const { return ptyPath_; }

private:
    QProcess process_;
    std::string error_;
    unsigned tcpPort_ = 0;
    std::string ptyPath_;
};

// CPU time of this process in seconds.
inline double cpuSeconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Wall time and this process's CPU time since it was made.
class Stopwatch {
public:
    [[nodiscard]] double wallSeconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0_).count();
    }
    [[nodiscard]] double cpuSeconds() const { return bench::cpuSeconds() - cpu0_; }
    // The CPU time as a share of the wall time (1.0: one core busy).
    [[nodiscard]] double cpuShare() const {
        const double wall = wallSeconds();
        return cpuSeconds() / wall;
    }

private:
    std::chrono::steady_clock::time_point wall0_ = std::chrono::steady_clock::now();
    double cpu0_ = bench::cpuSeconds();
};

// Registers `run` for exactly `iterations` iterations, timed by the wall
// clock: the simulator and the event loop work while the program waits.
template <typename Run>
void registerTimed(const std::string& name, benchmark::IterationCount iterations, benchmark::TimeUnit unit,
                   Run&& run) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Run>(run))
        ->Iterations(iterations)
        ->UseRealTime()
        ->Unit(unit);
}

// The window draws on the offscreen platform unless a display is asked for;
// called before the application object is made.
inline void offscreenUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The word the goal summaries print after each goal.
inline const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

// Runs the registered benchmarks with the command line's options and then
// `summary` (the goals after the tables). 1 for an option the library does
// not know, otherwise 0.
template <typename Summary> int runBenchmarks(int& argc, char** argv, Summary&& summary) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    summary();
    return 0;
}

} // namespace tavrino::bench

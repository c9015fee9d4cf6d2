// SIGINT and SIGTERM in the command-line tool: a signal is passed on as a
// stop through the event loop; one that comes while an earlier one still
// waits for the event loop ends the process, so nothing can outlast them.

#include "cli/stop_signals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>

#include <csignal>
#include <cstdlib>

namespace tavrino::cli {
namespace {

// Runs the event loop until `stops` reaches `wanted`.
void takeStops(const int& stops, int wanted) {
    while (stops < wanted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Raises `signal` twice: once taken by the event loop in between, once not.
void raiseTwice(int signal, bool takenBetween) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    int stops = 0;
    const StopOnSignals interrupts([&stops] { ++stops; });
    ::raise(signal);
    if (takenBetween)
        takeStops(stops, 1);
    ::raise(signal);
    takeStops(stops, takenBetween ? 2 : 1);
    std::_Exit(interrupts.received() ? 0 : 3);
}

TEST(StopOnSignals, EachSignalTheEventLoopTookIsAStopAndASecondBeforeThatEndsTheProcess) {
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(raiseTwice(signal, true), ::testing::ExitedWithCode(0), "");
        EXPECT_EXIT(raiseTwice(signal, false), ::testing::KilledBySignal(signal), "");
    }
}

} // namespace
} // namespace tavrino::cli

#include "cli/stop_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace tavrino::cli {

namespace {

// The write end of the signal pipe. A signal handler receives nothing but
// the signal number, so the one thing it needs, where to write, has to sit
// in static storage; nothing else does. Written only while no handler of
// ours is installed.
volatile std::sig_atomic_t signalPipe = -1;

// Only async-signal-safe calls: one byte into the pipe, errno kept.
extern "C" void onStopSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(signalPipe, &byte, 1);
    errno = saved;
}

} // namespace

StopOnSignals::StopOnSignals(std::function<void()> stop, QObject* parent)
    : QObject(parent), stop_(std::move(stop)) {
    if (::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        return; // without a pipe the signals keep their default action
    signalPipe = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &StopOnSignals::onReadable);
    arm(&previousInt_, &previousTerm_);
}

void StopOnSignals::arm(struct sigaction* previousInt, struct sigaction* previousTerm) {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Each signal takes the handler away again until the event loop has
    // passed the stop on (onReadable arms it anew). A program held outside
    // its event loop, in a call that does not return, is therefore ended by
    // the next signal instead of ignoring it for ever.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, previousInt);
    sigaction(SIGTERM, &action, previousTerm);
}

StopOnSignals::~StopOnSignals() {
    if (pipe_[0] < 0)
        return;
    sigaction(SIGINT, &previousInt_, nullptr);
    sigaction(SIGTERM, &previousTerm_, nullptr);
    signalPipe = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void StopOnSignals::onReadable() {
    char bytes[16];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    received_ = true;
    arm(nullptr, nullptr);
    stop_();
}

} // namespace tavrino::cli

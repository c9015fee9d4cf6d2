#pragma once

#include <QObject>

#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tavrino::cli {

// Turns SIGINT and SIGTERM into a call of `stop` on the event loop, so that
// an interrupted operation ends exactly as its STOP button would: the
// running loop notices its cleared flag, finishes its cycle, sends its stop
// request and closes its file. While it lives a signal no longer ends the
// process, as long as the event loop takes the stop before the next signal
// comes: a second signal while the first still waits for the event loop
// ends the process, so that no wait outlives the operator's signals. The
// previous handlers come back when it goes.
class StopOnSignals : public QObject {
    Q_OBJECT
public:
    explicit StopOnSignals(std::function<void()> stop, QObject* parent = nullptr);
    ~StopOnSignals() override;
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

    // A signal arrived (and `stop` has run).
    [[nodiscard]] bool received() const { return received_; }

private:
    // Installs the handler of both signals; the previous ones go where the
    // pointers point, unless they are null.
    static void arm(struct sigaction* previousInt, struct sigaction* previousTerm);
    void onReadable();

    std::function<void()> stop_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
    bool received_ = false;
};

} // namespace tavrino::cli

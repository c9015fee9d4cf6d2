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
// request and closes its file. While it lives the two signals no longer end
// the process; the previous handlers come back when it goes.
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
    void onReadable();

    std::function<void()> stop_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousInt_ {};
    struct sigaction previousTerm_ {};
    bool received_ = false;
};

} // namespace tavrino::cli

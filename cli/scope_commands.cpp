// The scope on the sensor: one scan printed as 128 lines, and the cycle time.
// SIGINT and SIGTERM during the wait break the scan as the BREAK button does.
#include "app/scope.h"
#include "cli/cli_context.h"
#include "scope/timing.h"

#include <QSocketNotifier>

#include <csignal>
#include <memory>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tavrino::cli {

namespace {

// Turns SIGINT and SIGTERM into BreakDataScan for as long as it lives: the
// signals are blocked and read from a descriptor in the event loop, so the
// break runs on the one thread like a button press.
class BreakOnSignal {
public:
    explicit BreakOnSignal(app::Session& s) {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        sigprocmask(SIG_BLOCK, &signals_, &previous_);
        fd_ = signalfd(-1, &signals_, SFD_CLOEXEC | SFD_NONBLOCK);
        if (fd_ < 0)
            return;
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, &s] {
            signalfd_siginfo info{};
            while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
            }
            app::BreakDataScan(s);
        });
    }
    ~BreakOnSignal() {
        notifier_.reset();
        if (fd_ >= 0)
            close(fd_);
        sigprocmask(SIG_SETMASK, &previous_, nullptr);
    }
    BreakOnSignal(const BreakOnSignal&) = delete;
    BreakOnSignal& operator=(const BreakOnSignal&) = delete;

private:
    sigset_t signals_{};
    sigset_t previous_{};
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

std::string scanLines(const scope::ScanResult& r) {
    std::string out;
    for (int i = 0; i < scope::kSamples; ++i) {
        const auto k = static_cast<std::size_t>(i);
        out += std::to_string(i) + '\t' + formatFixed6(r.red[k]) + '\t' + formatFixed6(r.green[k]) + '\t' +
               formatFixed6(r.blue[k]) + '\t' + std::to_string(r.digital0[k]) + '\t' +
               std::to_string(r.digital1[k]) + '\t' + std::to_string(r.digital2[k]) + '\n';
    }
    return out;
}

} // namespace

int commandScope(CliContext& ctx, const ScopeOptions& options) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    s.scope.settings =
        scope::ScanSettings{options.trigger, options.pretrigger, options.rate, options.signal, options.level};
    int result = 0;
    {
        BreakOnSignal breaker(s);
        result = app::GetScopeData(s);
    }
    if (result != 1)
        return kExitFailure;
    return writeOut(scanLines(s.scope.result)) ? kExitOk : kExitFailure;
}

int commandScopeCycleTime(CliContext& ctx) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    if (app::GetCycleTime(s) != 1)
        return kExitFailure;
    const scope::CycleTime& t = s.scope.cycle;
    return writeOut(scope::fixedText(t.frequency, scope::frequencyDecimals(t.frequency)) + '\t' +
                    scope::fixedText(t.cycleMs, scope::cycleTimeDecimals(t.frequency)) + '\n')
               ? kExitOk
               : kExitFailure;
}

} // namespace tavrino::cli

// The scope on the sensor: one scan printed as 128 lines (and with -o also
// written as a capture file), and the cycle time.
// SIGINT and SIGTERM during the wait break the scan as the BREAK button does.
#include "app/scope.h"
#include "app/scope_capture.h"
#include "cli/cli_context.h"
#include "cli/stop_signals.h"
#include "scope/timing.h"

#include <string>

namespace tavrino::cli {

namespace {

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
        const StopOnSignals breaker([&s] { app::BreakDataScan(s); });
        result = app::GetScopeData(s);
    }
    if (result != 1)
        return kExitFailure;
    if (!writeOut(scanLines(s.scope.result)))
        return kExitFailure;
    // A capture that could not be written has been reported on stderr.
    if (!options.file.empty() && !app::writeScopeCapture(s, options.file))
        return kExitFailure;
    return kExitOk;
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

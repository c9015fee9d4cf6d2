// The record command: the program's recorder with the command line's file,
// mode, count and interval. It selects the record file as the recorder page
// does (the file dialog answered with -o, the questions with --yes) and then
// presses START or the triggered record button; SIGINT and SIGTERM press
// STOP.
#include "app/recorder.h"
#include "cli/cli_context.h"
#include "cli/stop_signals.h"
#include "parameters/parameter_controls.h"
#include "recorder/record_time.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace tavrino::cli {

namespace {

using recorder::RecordMode;

RecordMode modeOf(const std::string& name) {
    if (name == "continuous")
        return RecordMode::Continuous;
    if (name == "triggered")
        return RecordMode::Triggered;
    return RecordMode::NumberOfValues;
}

// The checks CLI11 cannot make. kExitOk, or kExitUsage with the message
// written.
int checkOptions(const RecordOptions& o, RecordMode mode) {
    if (o.append && o.yes)
        return usageError("record: give either --append or --yes, not both");
    if (!std::isfinite(o.interval) || o.interval > app::RecorderState::kIntervalFieldMax)
        return usageError("record: --interval takes seconds up to 86400");
    if (mode == RecordMode::NumberOfValues && o.count && *o.count > 65535)
        return usageError("record: -n takes at most 65535 values");
    if (o.panelId.size() > app::kPanelIdMaxLength)
        return usageError("record: --panel-id takes at most 100 characters");
    return kExitOk;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// An existing file is emptied only with --yes and added to only with
// --append; otherwise it is not touched at all.
int checkFile(const RecordOptions& o) {
    if (!exists(o.file) || o.yes || o.append)
        return kExitOk;
    std::fprintf(stderr, "tavrino-cli: %s exists: --yes empties it, --append adds to it\n", o.file.c_str());
    return kExitFailure;
}

// The header of a new (or emptied) file, with the colour space of
// --color-space or else of the sensor's RAM; --append to an existing file
// writes none.
int prepareFile(CliContext& ctx, const RecordOptions& o) {
    app::Session& s = ctx.session();
    if (o.append && exists(o.file))
        return app::AppendToRecFile(s, o.file) ? kExitOk : kExitFailure;
    app::ParameterState& p = s.parameters;
    if (o.colourSpace) {
        p.controls.setValue(parameters::Control::ColorSpace, *o.colourSpace);
    } else {
        p.controls.selectTarget(parameters::TransferTarget::Ram);
        if (p.transfer.getButton() != 1)
            return kExitFailure;
    }
    ctx.op().presetFile = o.file;
    ctx.op().answerYes = o.yes;
    return app::SelRecFile(s) ? kExitOk : kExitFailure;
}

void configure(app::RecorderState& r, RecordMode mode, const RecordOptions& o) {
    r.mode = mode;
    r.interval = o.interval;
    if (mode == RecordMode::NumberOfValues) {
        r.numberOfValues = static_cast<std::uint16_t>(o.count.value_or(1));
        r.lineLimit = 0;
    } else {
        r.lineLimit = static_cast<double>(o.count.value_or(0));
    }
    if (mode != RecordMode::Triggered && !(o.interval >= recorder::kMinimumInterval))
        std::fprintf(stderr, "tavrino-cli: the interval is raised to 0.25 s\n");
}

} // namespace

int commandRecord(CliContext& ctx, const RecordOptions& options) {
    const RecordMode mode = modeOf(options.mode);
    if (const int status = checkOptions(options, mode); status != kExitOk)
        return status;
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return kExitUsage;
    if (const int status = checkFile(options); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    s.shell.panelId = options.panelId;
    if (ctx.openLink(*endpoint) != kExitOk)
        return kExitFailure;
    const StopOnSignals interrupts([&s] { app::CBF_ButtonRecordStop(s); });
    if (const int status = prepareFile(ctx, options); status != kExitOk)
        return status;
    configure(s.recorder, mode, options);
    // "Are you sure, that you have selected the right file name?"
    ctx.op().answerYes = true;
    // A signal before the recording began: it ends as a STOP pressed then
    // would, with nothing recorded.
    if (interrupts.received())
        return kExitOk;
    const int result = mode == RecordMode::Triggered ? app::recordTriggered(s) : app::recordAtInterval(s);
    // Lines that could not be written are a failure even when the sensor
    // answered every request.
    return result < 0 || s.recorder.unwrittenLines > 0 ? kExitFailure : kExitOk;
}

} // namespace tavrino::cli

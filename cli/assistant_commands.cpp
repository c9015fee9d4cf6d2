// The double-parameter assistant on the sensor: a GET from RAM gives the
// parameter set it starts from; its two questions are answered OK with --yes;
// progress goes to stderr, the sets, raw values and corrections to stdout.
#include "app/double_parameters.h"
#include "assistant/search.h"
#include "cli/cli_context.h"
#include "parameters/parameter_controls.h"

#include <array>
#include <cstdio>
#include <string>

namespace tavrino::cli {

namespace {

using parameters::Control;
using parameters::TransferTarget;

std::string row(const char* label, const std::array<std::string, 3>& values) {
    std::string line = label;
    for (const std::string& v : values)
        line += '\t' + v;
    return line + '\n';
}

std::string result(app::Session& s) {
    const parameters::ParameterControls& c = s.parameters.controls;
    auto set = [&c](int first) {
        std::array<std::string, 3> v;
        for (int i = 0; i < 3; ++i)
            v[static_cast<std::size_t>(i)] = std::to_string(c.code(static_cast<Control>(first + i)));
        return v;
    };
    auto xyz = [&s](int r) {
        std::array<std::string, 3> v;
        for (std::size_t i = 0; i < 3; ++i)
            v[i] = std::to_string(s.assistant.xyz[static_cast<std::size_t>(r)][i]);
        return v;
    };
    std::array<std::string, 3> corrections;
    for (int i = 0; i < 3; ++i)
        corrections[static_cast<std::size_t>(i)] =
            formatFixed6(c.value(static_cast<Control>(static_cast<int>(Control::CorrectionX) + i)));
    return row("set1", set(static_cast<int>(Control::DoublePower1))) +
           row("set2", set(static_cast<int>(Control::DoublePower2))) + row("xyz1", xyz(0)) +
           row("xyz2", xyz(1)) + row("xyz3", xyz(2)) + row("correction", corrections);
}

} // namespace

int commandAssistant(CliContext& ctx, const AssistantOptions& options) {
    TransferTarget target = TransferTarget::Ram;
    if (options.memory && *options.memory == "eeprom")
        target = TransferTarget::Eeprom;
    else if (options.memory && *options.memory != "ram")
        return usageError("assistant: --to must be ram or eeprom");
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;

    app::Session& s = ctx.session();
    s.parameters.controls.selectTarget(TransferTarget::Ram);
    if (s.parameters.transfer.getButton() != 1)
        return kExitFailure;
    s.parameters.controls.selectTarget(target);
    ctx.op().answerYes = options.yes;

    // One progress line for every step.
    const int progress = s.assistant.subscribe([&s](app::AssistantChange change) {
        if (change != app::AssistantChange::Progress)
            return;
        const std::string line = assistant::progressText(s.assistant.progress, s.language());
        if (!line.empty())
            std::fprintf(stderr, "%s\n", line.c_str());
    });
    const bool done = app::CBF_ButtonStartAssistant(s);
    s.assistant.unsubscribe(progress);
    if (!done)
        return kExitFailure;
    return writeOut(result(s)) ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli

// The parameter commands: GET into a parameter file, a parameter file to the
// sensor, and what a parameter file would send.
#include "cli/cli_context.h"
#include "link/frame.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_file.h"
#include "parameters/rules.h"
#include "parameters/transfer.h"
#include "parameters/wire.h"
#include "teach/teach_table.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tavrino::cli {

namespace {

using parameters::ParameterFileResult;
using parameters::TransferTarget;

constexpr const char* kParamsUsage =
    "params get [--from ram|eeprom] -o FILE | params send FILE [--to ram|eeprom] "
    "[--yes] | params show FILE [--yes]";

std::optional<TransferTarget> parseMemory(const std::string& text) {
    if (text == "ram")
        return TransferTarget::Ram;
    if (text == "eeprom")
        return TransferTarget::Eeprom;
    return std::nullopt;
}

// The program's parameter state as it is after start-up: the controls at their
// defaults, read into the parameter set.
struct ParameterState {
    parameters::ParameterSet set;
    parameters::ParameterControls controls;
    teach::TeachTable table;
    parameters::ParameterRules rules;
    std::string path; // the remembered parameter file path

    explicit ParameterState(CliContext& ctx) : rules(controls, table, set, ctx.op, ctx.language) {
        parameters::GetPanelValues(controls, table, set);
    }

    // Loads a parameter file as GET with target FILE does; true when its
    // parameters were taken.
    bool load(CliContext& ctx, const std::string& file, bool yes) {
        ctx.op.presetFile = file;
        ctx.op.answerYes = yes;
        const parameters::ParameterFileHooks hooks{{}, [this] { rules.showParameterSet(); }};
        return parameters::ReadParaFromFile(ctx.op, ctx.language, set, path, hooks) ==
               ParameterFileResult::Read;
    }
};

struct Options {
    std::optional<std::string> file; // positional FILE or -o FILE
    std::optional<TransferTarget> memory;
    bool yes = false;
};

// Parses the options after the subcommand; `memoryOption` is "--from" or
// "--to" (or empty when the subcommand takes none), `fileOption` "-o" or
// empty when FILE is positional.
std::optional<Options> parseOptions(const Arguments& args, const std::string& memoryOption,
                                    const std::string& fileOption, bool yesAllowed) {
    Options options;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!memoryOption.empty() && a == memoryOption && i + 1 < args.size()) {
            options.memory = parseMemory(args[++i]);
            if (!options.memory) {
                usageError("params: " + memoryOption + " must be ram or eeprom");
                return std::nullopt;
            }
        } else if (!fileOption.empty() && a == fileOption && i + 1 < args.size() && !options.file) {
            options.file = args[++i];
        } else if (yesAllowed && a == "--yes") {
            options.yes = true;
        } else if (fileOption.empty() && !options.file && !a.empty() && a[0] != '-') {
            options.file = a;
        } else {
            usageError("params: unexpected argument " + a + "\n" + kParamsUsage);
            return std::nullopt;
        }
    }
    if (!options.file || options.file->empty()) {
        usageError(std::string("params: a file is needed\n") + kParamsUsage);
        return std::nullopt;
    }
    return options;
}

int paramsGet(CliContext& ctx, const Options& options) {
    if (!ctx.openLink())
        return ctx.openFailureStatus;
    ParameterState state(ctx);
    state.controls.selectTarget(options.memory.value_or(TransferTarget::Ram));
    parameters::ParameterTransfer transfer(*ctx.link, ctx.flags, state.set, state.controls, state.table,
                                           state.rules, ctx.op, ctx.language);
    if (transfer.GetPara() != 1)
        return kExitFailure;

    ctx.op.presetFile = *options.file;
    const parameters::ParameterFileHooks hooks{
        [&state] { parameters::GetPanelValues(state.controls, state.table, state.set); }, {}};
    const auto result = parameters::SendParaToFile(ctx.op, ctx.language, state.set, state.path, hooks);
    return result == ParameterFileResult::Saved ? kExitOk : kExitFailure;
}

int paramsSend(CliContext& ctx, const Options& options) {
    ParameterState state(ctx);
    if (!state.load(ctx, *options.file, options.yes))
        return kExitFailure;
    if (!ctx.openLink())
        return ctx.openFailureStatus;
    state.controls.selectTarget(options.memory.value_or(TransferTarget::Ram));
    parameters::ParameterTransfer transfer(*ctx.link, ctx.flags, state.set, state.controls, state.table,
                                           state.rules, ctx.op, ctx.language);
    return transfer.SendPara() == 1 ? kExitOk : kExitFailure;
}

int paramsShow(CliContext& ctx, const Options& options) {
    ParameterState state(ctx);
    if (!state.load(ctx, *options.file, options.yes))
        return kExitFailure;

    // Exactly what SEND takes: the controls read into the set, the teach cells
    // in the fixed point they travel in.
    parameters::GetPanelValues(state.controls, state.table, state.set);
    parameters::encodeTeachBlock(state.set);

    std::string out;
    for (std::size_t w = 0; w < parameters::kWordCount; ++w) {
        out += "word\t";
        out += std::to_string(w);
        out += '\t';
        if (w < parameters::kFileWordCount)
            out += parameters::kParameterFileKeys[w];
        out += '\t';
        out += std::to_string(state.set.words[w]);
        out += '\n';
    }
    for (std::size_t row = 0; row < 3; ++row) {
        out += "teach\t";
        out += std::to_string(row);
        for (std::size_t cell = 0; cell < 6; ++cell) {
            const std::int32_t word =
                link::readI32(state.set.teachBlock.data() + row * parameters::kTeachVectorSize + cell * 4);
            out += '\t';
            out += formatGeneral(parameters::fromFixedPoint(word), 16);
        }
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    return kExitOk;
}

} // namespace

int commandParams(CliContext& ctx, const Arguments& args) {
    if (args.empty())
        return usageError(std::string("params needs get, send or show\n") + kParamsUsage);
    const std::string& sub = args[0];
    if (sub == "get") {
        const auto options = parseOptions(args, "--from", "-o", false);
        return options ? paramsGet(ctx, *options) : kExitUsage;
    }
    if (sub == "send") {
        const auto options = parseOptions(args, "--to", "", true);
        return options ? paramsSend(ctx, *options) : kExitUsage;
    }
    if (sub == "show") {
        const auto options = parseOptions(args, "", "", true);
        return options ? paramsShow(ctx, *options) : kExitUsage;
    }
    return usageError("params: unknown subcommand " + sub + "\n" + kParamsUsage);
}

} // namespace tavrino::cli

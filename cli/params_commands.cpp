// The parameter commands: GET into a parameter file, a parameter file to the
// sensor, and what a parameter file would send. They press the SEND and GET
// buttons of the session with the transfer target the command names.
#include "cli/cli_context.h"
#include "link/frame.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_file.h"
#include "parameters/wire.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tavrino::cli {

namespace {

using parameters::TransferTarget;

// --from / --to: RAM unless EEPROM is named; nothing (usage error written)
// for anything else.
std::optional<TransferTarget> memoryTarget(const ParamsOptions& options, const char* option) {
    if (!options.memory || *options.memory == "ram")
        return TransferTarget::Ram;
    if (*options.memory == "eeprom")
        return TransferTarget::Eeprom;
    usageError(std::string("params: ") + option + " must be ram or eeprom");
    return std::nullopt;
}

// GET with target FILE on `file`, questions answered Yes only with --yes.
bool loadFile(CliContext& ctx, const ParamsOptions& options) {
    if (!readableFile(options.file))
        return false;
    ctx.op().presetFile = options.file;
    ctx.op().answerYes = options.yes;
    app::ParameterState& p = ctx.session().parameters;
    p.controls.selectTarget(TransferTarget::File);
    return p.transfer.getButton() == 1;
}

} // namespace

int commandParamsGet(CliContext& ctx, const ParamsOptions& options) {
    const auto target = memoryTarget(options, "--from");
    if (!target)
        return kExitUsage;
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::ParameterState& p = ctx.session().parameters;
    p.controls.selectTarget(*target);
    if (p.transfer.getButton() != 1)
        return kExitFailure;
    ctx.op().presetFile = options.file;
    p.controls.selectTarget(TransferTarget::File);
    return p.transfer.sendButton() == 1 ? kExitOk : kExitFailure;
}

int commandParamsSend(CliContext& ctx, const ParamsOptions& options) {
    const auto target = memoryTarget(options, "--to");
    if (!target)
        return kExitUsage;
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return kExitUsage;
    if (!loadFile(ctx, options))
        return kExitFailure;
    if (ctx.openLink(*endpoint) != kExitOk)
        return kExitFailure;
    app::ParameterState& p = ctx.session().parameters;
    p.controls.selectTarget(*target);
    return p.transfer.sendButton() == 1 ? kExitOk : kExitFailure;
}

int commandParamsShow(CliContext& ctx, const ParamsOptions& options) {
    if (!loadFile(ctx, options))
        return kExitFailure;

    // Exactly what SEND takes: the controls read into the set, the teach cells
    // in the fixed point they travel in.
    app::ParameterState& p = ctx.session().parameters;
    parameters::GetPanelValues(p.controls, p.teachTable, p.set);
    parameters::encodeTeachBlock(p.set);

    std::string out;
    for (std::size_t w = 0; w < parameters::kWordCount; ++w) {
        out += "word\t";
        out += std::to_string(w);
        out += '\t';
        if (w < parameters::kFileWordCount)
            out += parameters::kParameterFileKeys[w];
        out += '\t';
        out += std::to_string(p.set.words[w]);
        out += '\n';
    }
    for (std::size_t row = 0; row < 3; ++row) {
        out += "teach\t";
        out += std::to_string(row);
        for (std::size_t cell = 0; cell < 6; ++cell) {
            const std::int32_t word =
                link::readI32(p.set.teachBlock.data() + row * parameters::kTeachVectorSize + cell * 4);
            out += '\t';
            out += formatGeneral(parameters::fromFixedPoint(word), 16);
        }
        out += '\n';
    }
    return writeOut(out) ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli

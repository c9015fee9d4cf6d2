// The calibration and offset commands. They load the calibration files as
// the panel's load buttons do and run the calibration page's operations on
// the session; the tables and the offsets are printed TAB-separated.
#include "app/calibration.h"
#include "calibration/sensor_data.h"
#include "cli/cli_context.h"
#include "parameters/parameter_controls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tavrino::cli {

namespace {

using calibration::CalibFile;
using calibration::RawTriple;

template <std::size_t N> std::string line(const char* label, const std::array<std::string, N>& values) {
    std::string out = label;
    for (const std::string& v : values)
        out += (out.empty() ? "" : "\t") + v;
    return out + '\n';
}

std::array<std::string, 3> words(const RawTriple& t) {
    return {std::to_string(t[0]), std::to_string(t[1]), std::to_string(t[2])};
}

// --slot: the user slot unless the factory slot is named.
std::uint16_t slotOf(const CalibOptions& options) {
    return options.slot == "factory" ? calibration::kFactorySlot : calibration::kUserSlot;
}

// The three files, the reference first: it sets the colour spaces the set
// values are converted in and ROWS, the rows the factors are computed for.
bool loadFiles(CliContext& ctx, const CalibOptions& options) {
    const std::pair<CalibFile, const std::string*> files[] = {
        {CalibFile::Reference, &options.reference},
        {CalibFile::SetValues, &options.setValues},
        {CalibFile::ActualValues, &options.actualValues}};
    for (const auto& [file, path] : files)
        if (!readableFile(*path))
            return false;
    ctx.op().answerYes = options.yes;
    for (const auto& [file, path] : files)
        if (app::loadCalibrationFile(ctx.session(), file, *path) != 1)
            return false;
    return true;
}

std::string factorTable(const calibration::CalibrationTables& t) {
    std::string out = line("", words(t.whitePoint));
    for (const RawTriple& row : t.factors)
        out += line("", words(row));
    return out;
}

// The SENSOR DATA page: the block's shown words, then the two 64-row tables.
std::string sensorData(const calibration::SensorCalibration& d) {
    const auto& p = d.block.parameters;
    auto three = [&p](std::size_t first) {
        return std::array<std::string, 3>{std::to_string(p[first]), std::to_string(p[first + 1]),
                                          std::to_string(p[first + 2])};
    };
    std::array<std::string, 3> correction;
    for (std::size_t k = 0; k < 3; ++k)
        correction[k] = formatFixed6(calibration::correctionFactor(p[10 + k]));
    std::string out = line("rows", std::array<std::string, 1>{std::to_string(d.block.rows)});
    out += line("parameters",
                std::array<std::string, 3>{std::to_string(p[0]), std::to_string(p[1]), std::to_string(p[2])});
    out += line("set1", three(4)) + line("set2", three(7)) + line("correction", correction);
    out += line("whitepoint", words(d.block.whitePoint)) + line("reference", words(d.block.referenceActual));
    out += line("whitebalance", words(d.block.whiteBalance));
    for (std::size_t r = 0; r < d.values.size(); ++r) {
        const auto v = words(d.values[r]);
        const auto f = words(d.factors[r]);
        out += line("", std::array<std::string, 6>{v[0], v[1], v[2], f[0], f[1], f[2]});
    }
    return out;
}

std::string offsets(const app::Session& s) {
    return line("zero-point", words(s.calibration.zeroPoint)) + line("xyz", words(s.calibration.xyzOffset));
}

// X Y Z as three 16-bit words; nothing (the usage error written) otherwise.
std::optional<RawTriple> offsetValues(const char* command, const Arguments& values) {
    if (values.size() != 3) {
        usageError(std::string(command) + " needs X Y Z");
        return std::nullopt;
    }
    RawTriple out{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseInteger(values[k], 0, 65535);
        if (!v) {
            usageError(std::string(command) + ": values must be 0..65535: " + values[k]);
            return std::nullopt;
        }
        out[k] = static_cast<std::uint16_t>(*v);
    }
    return out;
}

int sendOffset(CliContext& ctx, const char* command, const Arguments& values,
               RawTriple app::CalibrationState::*field, int (*send)(app::Session&)) {
    const auto triple = offsetValues(command, values);
    if (!triple)
        return kExitUsage;
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    s.calibration.*field = *triple;
    return send(s) == 1 ? kExitOk : kExitFailure;
}

} // namespace

int commandCalibFactors(CliContext& ctx, const CalibOptions& options) {
    if (!loadFiles(ctx, options))
        return kExitFailure;
    // The loads have converted the set values and computed the white point.
    app::Session& s = ctx.session();
    app::CalcCF(s);
    return writeOut(factorTable(s.calibration.tables)) ? kExitOk : kExitFailure;
}

int commandCalibSend(CliContext& ctx, const CalibOptions& options) {
    const auto endpoint = ctx.endpoint();
    if (!endpoint)
        return kExitUsage;
    if (!loadFiles(ctx, options))
        return kExitFailure;
    app::Session& s = ctx.session();
    app::CalcCF(s);
    if (ctx.openLink(*endpoint) != kExitOk)
        return kExitFailure;
    // The block carries the sensor's current parameters.
    s.parameters.controls.selectTarget(parameters::TransferTarget::Ram);
    if (s.parameters.transfer.getButton() != 1)
        return kExitFailure;
    return app::confirmAndSendCalibration(s, slotOf(options)) == 1 ? kExitOk : kExitFailure;
}

int commandCalibRead(CliContext& ctx, const CalibOptions& options) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    if (app::ReadCalibrationData(s, slotOf(options)) != 1)
        return kExitFailure;
    return writeOut(sensorData(s.calibration.tables.sensor)) ? kExitOk : kExitFailure;
}

int commandOffsetGet(CliContext& ctx) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    app::Session& s = ctx.session();
    if (app::GetOffset(s) != 1)
        return kExitFailure;
    return writeOut(offsets(s)) ? kExitOk : kExitFailure;
}

int commandOffsetSendZeroPoint(CliContext& ctx, const OffsetOptions& options) {
    return sendOffset(ctx, "offset send zero-point", options.values, &app::CalibrationState::zeroPoint,
                      app::SendZpOffset);
}

int commandOffsetSendXyz(CliContext& ctx, const OffsetOptions& options) {
    return sendOffset(ctx, "offset send xyz", options.values, &app::CalibrationState::xyzOffset,
                      app::SendAdjOffset);
}

int commandOffsetCalc(CliContext& ctx, const OffsetOptions& options) {
    if (const int status = ctx.openEndpoint(); status != kExitOk)
        return status;
    ctx.op().answerYes = options.yes;
    app::Session& s = ctx.session();
    if (app::CalcOffset(s) != 1)
        return kExitFailure;
    return writeOut(offsets(s)) ? kExitOk : kExitFailure;
}

} // namespace tavrino::cli

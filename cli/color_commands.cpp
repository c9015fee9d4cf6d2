// The colour commands: set value to XYZ and the white point, without a sensor.
#include "calibration/conversion.h"
#include "cli/cli_context.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace tavrino::cli {

namespace {

// A white point that no division could give a finite, non-negative value for.
constexpr Text kWhitePointUndefined{
    "Xn, Yn oder Zn ist nicht bestimmbar: ein Referenz- oder Messwert ist 0 oder negativ.",
    "Xn, Yn or Zn cannot be computed: a reference or measured value is 0 or negative."};

// A whole, finite decimal number such as "50", "-0.25" or "1e3".
std::optional<double> parseReal(const std::string& text) {
    double v = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, v);
    if (text.empty() || ec != std::errc() || ptr != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

int commandColorXyz(CliContext&, const Arguments& args) {
    if (args.size() != 4)
        return usageError("color xyz needs SPACE C1 C2 C3");
    const auto space = parseInteger(args[0], 0, calibration::kCalibSpaceCount - 1);
    if (!space)
        return usageError("color xyz: SPACE must be 0..5");
    calibration::Triple setValue{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseReal(args[1 + k]);
        if (!v)
            return usageError("color xyz: not a number: " + args[1 + k]);
        setValue[k] = *v;
    }
    const auto xyz = calibration::setValueToXyz(static_cast<std::uint16_t>(*space), setValue);
    const std::string line = formatGeneral(xyz[0], 17) + '\t' + formatGeneral(xyz[1], 17) + '\t' +
                             formatGeneral(xyz[2], 17) + '\n';
    return writeOut(line) ? kExitOk : kExitFailure;
}

int commandColorWhitePoint(CliContext& ctx, const Arguments& args) {
    if (args.size() != 6)
        return usageError("color whitepoint needs XR YR ZR XA YA ZA");
    calibration::Triple reference{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseReal(args[k]);
        if (!v)
            return usageError("color whitepoint: not a number: " + args[k]);
        reference[k] = *v;
    }
    calibration::RawTriple raw{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseInteger(args[3 + k], 0, 65535);
        if (!v)
            return usageError("color whitepoint: raw values must be 0..65535: " + args[3 + k]);
        raw[k] = static_cast<std::uint16_t>(*v);
    }
    const auto wp = calibration::CalcXnYnZn(reference, raw);
    const std::string line = std::to_string(wp.stored[0]) + '\t' + std::to_string(wp.stored[1]) + '\t' +
                             std::to_string(wp.stored[2]) + '\n';
    if (!writeOut(line))
        return kExitFailure;
    switch (wp.status) {
    case calibration::WhitePointStatus::Accepted:
        return kExitOk;
    case calibration::WhitePointStatus::AboveLimit:
        std::fprintf(stderr, "%s\n", wp.message()->str(ctx.language()).c_str());
        return kExitFailure;
    case calibration::WhitePointStatus::Undefined:
        std::fprintf(stderr, "%s\n", kWhitePointUndefined.str(ctx.language()).c_str());
        return kExitFailure;
    }
    return kExitFailure;
}

} // namespace tavrino::cli

#include "calibration/factors.h"

#include "calibration/texts.h"

#include <cmath>

namespace tavrino::calibration {

FactorValue factorFor(double whiteK, double setValue, std::uint16_t actual) {
    if (actual == 0)
        return {0xFFFF, true};
    const double target = whiteK * setValue / 100.0;
    const double f = std::trunc(1024.0 * target / actual);
    if (std::isnan(f) || f < 0.0)
        return {0, true};
    if (f > 65535.0)
        return {0xFFFF, true};
    return {static_cast<std::uint16_t>(f), false};
}

std::array<double, 3> normalisedWhite(const RawTriple& w) {
    return {std::trunc(10000.0 * w[0] / 9505.0), static_cast<double>(w[1]),
            std::trunc(10000.0 * w[2] / 10890.0)};
}

FactorResult CalcCF(CalibrationTables& t) {
    FactorResult result;
    const auto white = normalisedWhite(t.whitePoint);
    for (std::size_t r = 1; r <= t.rows && r <= kSetValueRows; ++r) {
        for (std::size_t k = 0; k < 3; ++k) {
            const FactorValue f = factorFor(white[k], t.xyzSetValues[r - 1][k], t.actual[r - 1][k]);
            t.factors[r - 1][k] = f.value;
            if (f.limited)
                result.limited.push_back({r, k, f.value});
        }
    }
    return result;
}

std::optional<std::string> FactorResult::message(Language language) const {
    if (limited.empty())
        return std::nullopt;
    static constexpr char kChannel[] = {'X', 'Y', 'Z'};
    std::string text(kFactorsLimited.in(language));
    for (const LimitedFactor& f : limited) {
        text += '\n';
        text += kRowWord.in(language);
        text += ' ' + std::to_string(f.row) + ' ' + kChannel[f.channel] + ": " + std::to_string(f.stored);
    }
    return text;
}

} // namespace tavrino::calibration

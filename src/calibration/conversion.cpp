#include "calibration/conversion.h"

#include "calibration/texts.h"
#include "common/convert.h"

#include <cmath>

namespace tavrino::calibration {

namespace {

using namespace constants;

// The cube of the library power function: a negative base keeps its sign.
double cube(double v) {
    return std::pow(v, 3.0);
}

// L* to Y on the scale where white is 100. The cube law holds over the whole
// range; the sensor has no linear segment near black, so neither do we.
double luminance(double lightness) {
    return cube((lightness + 16.0) / 116.0) * kNominalYn;
}

Triple fromXyy(double Y, double x, double y) {
    return {Y * x / y * kNominalXn, Y * kNominalYn, (1.0 - x - y) * Y / y * kXyyZScale};
}

Triple fromLab(double L, double a, double b) {
    const double f = (L + 16.0) / 116.0;
    return {cube(f + a / 500.0) * kNominalXn, cube(f) * kNominalYn, cube(f + b / -200.0) * kNominalZn};
}

Triple fromLuv(double L, double u, double v) {
    const double Y = luminance(L);
    const double a = (52.0 * L / (u + 13.0 * L * kUnPrime) - 1.0) / 3.0;
    const double b = -5.0 * Y;
    const double d = Y * (39.0 * L / (v + 13.0 * L * kVnPrime) - 5.0);
    const double X = (d - b) / (a + kOneThird);
    return {X, Y, X * a + b};
}

Triple fromLch(double L, double C, double h) {
    const double theta = h * kFullTurn / 360.0;
    return fromLab(L, C * std::cos(theta), C * std::sin(theta));
}

Triple fromUvl(double L, double u, double v) {
    const double Y = luminance(L);
    // Z takes X after its 0.9505 scaling, not the unscaled X.
    const double X = u * (-9.0 * Y) / (v * (u - 4.0) - v * u) * kUvlXScale;
    const double Z = (-15.0 * v * Y + 9.0 * Y - v * X) / (3.0 * v) * kUvlZScale;
    return {X, Y, Z};
}

} // namespace

Triple setValueToXyz(std::uint16_t calibSpace, const Triple& s) {
    switch (static_cast<CalibSpace>(calibSpace)) {
    case CalibSpace::XYZ:
        return s;
    case CalibSpace::xyY:
        return fromXyy(s[0], s[1], s[2]);
    case CalibSpace::Lab:
        return fromLab(s[0], s[1], s[2]);
    case CalibSpace::Luv:
        return fromLuv(s[0], s[1], s[2]);
    case CalibSpace::LCh:
        return fromLch(s[0], s[1], s[2]);
    case CalibSpace::uvL:
        return fromUvl(s[0], s[1], s[2]);
    }
    return {0.0, 0.0, 0.0};
}

ConvertedSetValues CalcXYZfromSetvalue(std::uint16_t referenceSpace, const Triple& referenceSetValue,
                                       std::uint16_t setValueSpace, const SetValueRows& setValues) {
    ConvertedSetValues out;
    out.reference = setValueToXyz(referenceSpace, referenceSetValue);
    for (std::size_t r = 0; r < kSetValueRows; ++r)
        out.rows[r] = setValueToXyz(setValueSpace, setValues[r]);
    return out;
}

std::optional<Text> WhitePoint::message() const {
    if (status == WhitePointStatus::AboveLimit)
        return kWhitePointTooHigh;
    return std::nullopt;
}

WhitePoint CalcXnYnZn(const Triple& referenceXyz, const RawTriple& referenceRaw) {
    const double Xr = referenceXyz[0];
    const double Yr = referenceXyz[1];
    const double Zr = referenceXyz[2];
    const double Xa = referenceRaw[0];
    const double Ya = referenceRaw[1];
    const double Za = referenceRaw[2];

    WhitePoint wp;
    wp.computed = {std::trunc(Xa * ((kNominalXn / Xr) * (Xr * Ya / Yr / Xa))),
                   std::trunc((kNominalYn / Yr) * Ya),
                   std::trunc(Za * ((kNominalZn / Zr) * (Ya * Zr / Yr / Za)))};

    bool above = false;
    bool undefined = false;
    for (std::size_t k = 0; k < 3; ++k) {
        const double v = wp.computed[k];
        // Compared before narrowing, so a value that does not fit 16 bits is
        // still reported as too high.
        above = above || v > kWhitePointLimit;
        undefined = undefined || std::isnan(v) || v < 0.0;
        const auto narrowed = clampToU16(v);
        wp.stored[k] = narrowed.value;
        wp.clamped = wp.clamped || narrowed.clamped;
    }
    wp.status = above ? WhitePointStatus::AboveLimit
                      : (undefined ? WhitePointStatus::Undefined : WhitePointStatus::Accepted);
    return wp;
}

} // namespace tavrino::calibration

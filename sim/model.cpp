#include "model.h"

#include "common/convert.h"
#include "link/frame.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tavrino::sim {

namespace word = parameters::word;

namespace {

// Raw Y of a white target with POWER 500, GAIN 5, INTEGRAL 1: mid-range.
constexpr double kWhiteLevel = 2000.0;
// The channels' filters do not match the standard observer exactly, which is
// what the factory calibration corrects. In the default scene the white
// card's raw Z (about 1920) lies clearly above 1500 and every other card's
// (at most about 840, the blue one) clearly below, so a rising edge through
// 1500 on the blue trace happens once per pass of the white card.
constexpr std::array<double, 3> kSensitivity{0.93, 1.0, 0.99};
// Dark signal at GAIN 5, INTEGRAL 1; amplified like the light signal.
constexpr std::array<double, 3> kDark{18.0, 22.0, 16.0};
// Room light reflected by the target; only the DC LED mode sees it.
constexpr double kAmbientLevel = 30.0;
constexpr double kGainStage = 2.0;
constexpr double kRawMax = 4095.0;
// In DOUBLE mode, set 2 takes over when set 1 stays below this raw level.
constexpr double kDarkTargetLevel = 800.0;
constexpr double kNominalTemp = 312.0;

constexpr double kTwoPi = 6.28318530718; // the full turn the program's conversions use
constexpr double kUnPrime = 0.1978374215570981;
constexpr double kVnPrime = 0.46831583219723383;

std::uint64_t splitmix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

double unit(std::uint64_t h) {
    return (static_cast<double>(h >> 11) + 1.0) / 9007199254740993.0;
} // (0, 1]

double stageFactor(double gain, double integral1) {
    return std::pow(kGainStage, gain - 5.0) * integral1;
}

double ratio(double a, double b) {
    return b != 0.0 && std::isfinite(a / b) ? a / b : 0.0;
}

} // namespace

std::uint16_t SensorMemory::blockWord(int area, std::size_t index) const {
    const auto& bytes = calibration.at(static_cast<std::size_t>(area));
    const std::size_t at = kCalibrationTableSize + 2 * index;
    return at + 2 <= bytes.size() ? link::readU16(bytes.data() + at) : 0;
}

Coordinates colourSpaceCoordinates(int colourSpace, Xyz v) {
    const double f = std::cbrt(v.y / 100.0);
    const double lightness = 116.0 * f - 16.0;
    const double a = 500.0 * (std::cbrt(v.x / 95.05) - f);
    const double b = 200.0 * (f - std::cbrt(v.z / 108.9));
    switch (colourSpace) {
    case 0: { // x, y, Y:100 with the program's white-relative xyY
        const double sum = v.x / 95.05 + v.y / 100.0 + v.z / 108.0;
        return {ratio(v.x / 95.05, sum), ratio(v.y / 100.0, sum), v.y / 100.0};
    }
    case 1:
        return {a, b, lightness};
    case 2: {
        const double d = v.x + 15.0 * v.y + 3.0 * v.z;
        if (d == 0.0)
            return {0.0, 0.0, lightness};
        return {13.0 * lightness * (4.0 * v.x / d - kUnPrime), 13.0 * lightness * (9.0 * v.y / d - kVnPrime),
                lightness};
    }
    case 3: {
        double h = std::atan2(b, a) * 360.0 / kTwoPi;
        if (h < 0)
            h += 360.0;
        return {std::hypot(a, b), h, lightness};
    }
    case 4: {
        const double d = v.x + 15.0 * v.y + 3.0 * v.z / 1.089;
        return {ratio(4.0 * v.x / 0.9505, d), ratio(9.0 * v.y, d), lightness};
    }
    default:
        return {};
    }
}

TeachResult evaluateTeach(const TeachWords& teach, const parameters::ParameterWords& p, const Coordinates& c,
                          bool belowIntensityLimit) {
    const int rows = std::clamp<int>(p[word::MaxVecNo], 1, 3);
    const bool firstHit = p[word::EvaluationMode] == 0;
    const int shape = p[word::ShapeMode];
    TeachResult best;
    double lastDistance = 0;
    for (int r = 0; r < rows; ++r) {
        auto cell = [&](int i) { return teach[static_cast<std::size_t>(8 * r + i)] / 65536.0; };
        const double d1 = c.c1 - cell(0), d2 = c.c2 - cell(1), dI = c.intensity - cell(2);
        const double distance = std::sqrt(d1 * d1 + d2 * d2 + dI * dI);
        lastDistance = distance;
        bool hit = false;
        if (shape == 1)
            hit = std::hypot(d1, d2) <= cell(3) && std::abs(dI) <= cell(4);
        else if (shape == 2)
            hit = distance <= cell(3);
        else
            hit = std::abs(d1) <= cell(3) && std::abs(d2) <= cell(4) && std::abs(dI) <= cell(5);
        if (!hit || belowIntensityLimit)
            continue;
        if (firstHit)
            return {r, distance};
        if (best.colorNo == 255 || distance < best.deltaE)
            best = {r, distance};
    }
    if (best.colorNo != 255)
        return best;
    return {255, firstHit ? lastDistance : -1.0};
}

MeasurementModel::MeasurementModel(Scene scene, std::uint64_t seed, SimTime in0HalfPeriod)
    : scene_(std::move(scene)), seed_(seed), in0HalfPeriod_(std::max(in0HalfPeriod, SimTime{1})) {}

bool MeasurementModel::in0(SimTime t) const {
    return t.count() >= 0 && (t / in0HalfPeriod_) % 2 == 1;
}

SimTime MeasurementModel::nextRisingEdge(SimTime t) const {
    const SimTime h = in0HalfPeriod_;
    if (t < h)
        return h;
    return h + ((t - h) / (2 * h) + 1) * 2 * h;
}

double MeasurementModel::temperature(SimTime t) const {
    const double s = std::chrono::duration<double>(t).count();
    return kNominalTemp + 6.0 * std::sin(kTwoPi * s / 900.0) + 1.5 * std::sin(kTwoPi * s / 97.0);
}

double MeasurementModel::gaussian(SimTime t, int channel) const {
    const std::uint64_t key = splitmix(seed_ ^ splitmix(static_cast<std::uint64_t>(t.count()) * 8 + channel));
    return std::sqrt(-2.0 * std::log(unit(key))) * std::cos(kTwoPi * unit(splitmix(key)));
}

std::array<double, 3> MeasurementModel::rawOf(const parameters::ParameterWords& p, Xyz target) const {
    const double exposure = p[word::Power] / 500.0 * stageFactor(p[word::Gain], p[word::Integral1]);
    const double xyz[] = {target.x, target.y, target.z};
    std::array<double, 3> raw{};
    for (std::size_t c = 0; c < 3; ++c)
        raw[c] = std::clamp(kWhiteLevel * kSensitivity[c] * xyz[c] / 100.0 * exposure, 0.0, kRawMax);
    return raw;
}

std::array<std::uint16_t, 3> MeasurementModel::darkSignal(const parameters::ParameterWords& p) const {
    std::array<std::uint16_t, 3> dark{};
    for (std::size_t c = 0; c < 3; ++c)
        dark[c] = static_cast<std::uint16_t>(
            std::lround(std::min(kDark[c] * stageFactor(p[word::Gain], p[word::Integral1]), kRawMax)));
    return dark;
}

MeasurementModel::Evaluation MeasurementModel::evaluate(const SensorMemory& memory, SimTime t, Xyz target,
                                                        bool noise) const {
    const auto& p = memory.ramParameters;
    Evaluation e;
    Measurement& m = e.m;
    const double temp = temperature(t);
    const double drift = 1.0 + 0.0005 * (temp - kNominalTemp);
    const double xyz[] = {target.x, target.y, target.z};
    const double averaging = std::sqrt(
        std::min(4096.0, double(std::max<int>(p[word::Average], 1)) * std::max<int>(p[word::Integral2], 1)));

    struct Acquired {
        std::array<double, 3> raw{};
        bool sat = false;
    };
    auto acquire = [&](double power, double gain, double integral1) {
        Acquired a;
        const double stage = stageFactor(gain, integral1);
        for (std::size_t c = 0; c < 3; ++c) {
            const double reflected = kSensitivity[c] * xyz[c] / 100.0;
            const double signal = kWhiteLevel * reflected * power / 500.0 * stage * drift;
            const double ambient = p[word::LedMode] == 0 ? kAmbientLevel * reflected * stage : 0.0;
            const double sigma = (1.5 + 0.003 * signal) / averaging;
            const double adc = signal + ambient + kDark[c] * stage +
                               (noise ? sigma * gaussian(t, static_cast<int>(c)) : 0.0);
            const double raw = std::round(adc) - memory.zeroPoint[c];
            a.sat = a.sat || raw > kRawMax;
            a.raw[c] = std::clamp(raw, 0.0, kRawMax);
        }
        return a;
    };

    Acquired acquired;
    bool secondSet = false;
    if (p[word::PowerMode] == 0) {
        acquired = acquire(p[word::Power], p[word::Gain], p[word::Integral1]);
    } else {
        acquired = acquire(p[word::DoublePower1], p[word::DoubleGain1], p[word::DoubleIntegral1]);
        if (*std::max_element(acquired.raw.begin(), acquired.raw.end()) < kDarkTargetLevel) {
            acquired = acquire(p[word::DoublePower2], p[word::DoubleGain2], p[word::DoubleIntegral2]);
            secondSet = true;
        }
        m.dpSet = secondSet ? 2 : 1;
    }
    e.raw = acquired.raw;
    m.sat = acquired.sat ? 1 : 0;
    m.rawX = static_cast<std::int16_t>(e.raw[0]);
    m.rawY = static_cast<std::int16_t>(e.raw[1]);
    m.rawZ = static_cast<std::int16_t>(e.raw[2]);

    // Calibration: the factors of the stored row nearest to the measurement.
    const int calibration = p[word::Calibration];
    const int area = (calibration == 1 || calibration == 3)   ? 1
                     : (calibration == 2 || calibration == 4) ? 3
                                                              : -1;
    std::array<double, 3> cal = e.raw;
    if (area > 0) {
        const auto& table = memory.calibration[static_cast<std::size_t>(area - 1)];
        const auto& factors = memory.calibration[static_cast<std::size_t>(area)];
        const std::size_t rows = std::min<std::size_t>(memory.blockWord(area, block::Rows), kCalibrationRows);
        double nearest = std::numeric_limits<double>::infinity();
        std::array<double, 3> f{1024.0, 1024.0, 1024.0};
        for (std::size_t r = 0; r < rows; ++r) {
            double d = 0;
            bool empty = true;
            for (std::size_t c = 0; c < 3; ++c) {
                const double a = link::readU16(table.data() + 6 * r + 2 * c);
                empty = empty && a == 0;
                d += (a - e.raw[c]) * (a - e.raw[c]);
            }
            if (empty || d >= nearest)
                continue;
            nearest = d;
            for (std::size_t c = 0; c < 3; ++c)
                f[c] = link::readU16(factors.data() + 6 * r + 2 * c);
        }
        for (std::size_t c = 0; c < 3; ++c)
            cal[c] *= f[c] / 1024.0;
    }
    e.beforeBalance = cal;
    if (calibration == 3 || calibration == 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            double wb = captures_.whiteBalance ? (*captures_.whiteBalance)[c]
                                               : memory.blockWord(area, block::WhiteBalanceX + c);
            cal[c] *= (wb > 0 ? wb : 1024.0) / 1024.0;
        }
    } else if (calibration == 5 || calibration == 6) {
        for (std::size_t c = 0; c < 3; ++c)
            cal[c] -=
                calibration == 6 && captures_.in0Offset ? (*captures_.in0Offset)[c] : memory.xyzOffset[c];
    }
    // The correction values are what set 2 sees more than set 1 of the same
    // target (the assistant's darker target with set 2 over set 1): taking
    // them out again gives results comparable with those of set 1.
    if (secondSet)
        for (std::size_t c = 0; c < 3; ++c)
            if (p[word::CorrectionX + c] != 0)
                cal[c] /= p[word::CorrectionX + c] / 128.0;
    m.X = clampToI16(std::round(cal[0])).value;
    m.Y = clampToI16(std::round(cal[1])).value;
    m.Z = clampToI16(std::round(cal[2])).value;

    // Colour-space output: white scaled to Y = 100 by the white point of the
    // calibration in use, or of the factory calibration.
    double whiteY = area > 0 ? memory.blockWord(area, block::Xn + 1) : 0.0;
    if (whiteY <= 0)
        whiteY = memory.blockWord(1, block::Xn + 1);
    if (whiteY <= 0)
        whiteY = kWhiteLevel;
    const double scale = 100.0 / whiteY;
    e.coordinates =
        colourSpaceCoordinates(p[word::ColorSpace], {cal[0] * scale, cal[1] * scale, cal[2] * scale});
    m.csX = e.coordinates.c1;
    m.csY = e.coordinates.c2;
    m.csI = e.coordinates.intensity;

    const bool belowLimit = (m.X + m.Y + m.Z) / 3.0 < p[word::Intlim];
    const TeachResult hit = evaluateTeach(memory.ramTeach, p, e.coordinates, belowLimit);
    m.colorNo = static_cast<std::int16_t>(hit.colorNo);
    m.deltaE = hit.deltaE;
    if (captures_.reference) {
        m.refX = captures_.reference->c1;
        m.refY = captures_.reference->c2;
        m.refI = captures_.reference->intensity;
    }
    m.in0 = in0(t) ? 1 : 0;
    m.temp = static_cast<std::int16_t>(std::lround(temp + (noise ? 0.3 * gaussian(t, 3) : 0.0)));

    // The two digital outputs show the colour number as DIGITAL OUTMODE says.
    const int outmode = p[word::DigitalOutmode];
    unsigned outputs = 0;
    if (outmode == 1 || outmode == 2)
        outputs = (hit.colorNo == 0 ? 1u : 0u) | (hit.colorNo == 1 ? 2u : 0u);
    else if (outmode == 3 || outmode == 4)
        outputs = hit.colorNo <= 2 ? static_cast<unsigned>(hit.colorNo + 1) : 0u;
    if (outmode == 2 || outmode == 4)
        outputs ^= 3u;
    m.stateBits = static_cast<std::uint16_t>(m.in0 | (outputs << 1));
    return e;
}

void MeasurementModel::takeCaptures(const SensorMemory& memory, SimTime t) {
    if (t < in0HalfPeriod_)
        return;
    const SimTime edge = in0HalfPeriod_ + (t - in0HalfPeriod_) / (2 * in0HalfPeriod_) * 2 * in0HalfPeriod_;
    if (lastEdge_ && edge <= *lastEdge_)
        return;
    lastEdge_ = edge;
    const auto& p = memory.ramParameters;
    const Evaluation e =
        evaluate(memory, edge, sceneColour(scene_, std::chrono::duration<double>(edge).count()), true);
    if (p[word::AnalogOutmode] == 3)
        captures_.reference = e.coordinates;
    const int calibration = p[word::Calibration];
    if (calibration == 3 || calibration == 4) {
        // White balance: what is in front of the sensor now becomes white.
        const int area = calibration == 3 ? 1 : 3;
        std::array<double, 3> white{};
        for (std::size_t c = 0; c < 3; ++c)
            white[c] = memory.blockWord(area, block::Xn + c);
        if (white[1] <= 0)
            white = {kWhiteLevel * 0.9505, kWhiteLevel, kWhiteLevel * 1.089};
        std::array<double, 3> wb{};
        for (std::size_t c = 0; c < 3; ++c)
            wb[c] = e.beforeBalance[c] > 0 ? 1024.0 * white[c] / e.beforeBalance[c] : 1024.0;
        captures_.whiteBalance = wb;
    }
    if (calibration == 6)
        captures_.in0Offset = e.raw;
}

Measurement MeasurementModel::measure(const SensorMemory& memory, SimTime t) {
    takeCaptures(memory, t);
    return evaluate(memory, t, sceneColour(scene_, std::chrono::duration<double>(t).count()), true).m;
}

Coordinates MeasurementModel::coordinatesOf(const SensorMemory& memory, Xyz target) const {
    return evaluate(memory, SimTime{0}, target, false).coordinates;
}

} // namespace tavrino::sim

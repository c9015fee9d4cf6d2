#include "sim_test_util.h"

#include "calibration/colour_space.h"
#include "calibration/conversion.h"
#include "measurement/record.h"
#include "parameters/options.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <string>

namespace tavrino::sim::test {
namespace {

using namespace std::chrono_literals;
namespace word = parameters::word;

SensorConfig sceneConfig(const char* scene) {
    SensorConfig c;
    c.scene = *builtInScene(scene);
    c.seed = 7;
    return c;
}

Bytes parameterBlock(const parameters::ParameterWords& words) {
    Bytes b(64);
    for (std::size_t i = 0; i < words.size(); ++i)
        link::writeU16(b.data() + 2 * i, words[i]);
    return b;
}

// A sensor and a clock; every exchange happens 50 ms after the one before.
class SimSensor : public ::testing::Test {
protected:
    explicit SimSensor(SensorConfig config = sceneConfig("white")) : sensor(std::move(config)) {
        sensor.connectionOpened(SimTime{});
    }
    std::vector<Action> sendAt(const Bytes& bytes, SimTime at) {
        t = at;
        sensor.receive(bytes, at);
        return sensor.takeActions();
    }
    std::vector<Action> send(const Bytes& bytes) { return sendAt(bytes, t + 50ms); }
    Bytes exchange(const Bytes& bytes) { return sentBytes(send(bytes)); }
    Frame ask(int order, std::uint16_t argument, const Bytes& payload = {}) {
        const auto frames = parseFrames(exchange(request(order, argument, payload)));
        EXPECT_EQ(frames.size(), 1u) << "order " << order;
        return frames.empty() ? Frame{} : frames.front();
    }
    measurement::MeasurementRecord measure() {
        const Frame f = ask(8, 0);
        EXPECT_EQ(f.payload.size(), 52u);
        measurement::MeasurementRecord r;
        measurement::acceptFrame(r, f.payload.data(), f.payload.size(), false);
        return r;
    }
    std::vector<Frame> advanceTo(SimTime at) {
        sensor.advance(at);
        return parseFrames(sentBytes(sensor.takeActions()));
    }

    SimulatedSensor sensor;
    SimTime t{1ms};
};

TEST_F(SimSensor, IdentityRepliesAreByteExact) {
    struct Case {
        int order;
        std::uint16_t argument, replyArgument;
        std::string text;
        std::size_t size;
    };
    const Case cases[] = {{7, 0, 0, "TAVRINO4 VXR QLM V3.2.7 B", 72},
                          {15, 0, 4711, "TAVRINO4-SIM", 13},
                          {15, 1, 0, "2027-12-01", 11}};
    for (const Case& c : cases) {
        Bytes expected(8 + c.size, 0);
        std::copy(c.text.begin(), c.text.end(), expected.begin() + 8);
        link::writeHeader(expected.data(), c.order, c.replyArgument, static_cast<std::uint16_t>(c.size));
        EXPECT_EQ(exchange(request(c.order, c.argument)), expected)
            << "order " << c.order << " arg " << c.argument;
    }
}

TEST_F(SimSensor, RejectsUnknownOrdersArgumentsAndBadChecksums) {
    auto expectError = [](const Bytes& reply, std::uint8_t code, const std::string& what) {
        ASSERT_EQ(reply.size(), 8u) << what;
        EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 7), (Bytes{0x55, 0x00, code, 0x00, 0x00, 0x00, 0xAA}))
            << what;
        EXPECT_EQ(link::crc8Update(reply.data(), 0, 8), 0) << what;
    };
    for (int order : {0, 5, 9, 99, 255})
        expectError(exchange(request(order, 0)), 1, "order " + std::to_string(order));
    expectError(exchange(request(15, 2)), 1, "order 15 arg 2");
    expectError(exchange(request(190, 8)), 1, "baud index 8");
    expectError(exchange(request(194, 0)), 1, "hardware info without key");
    expectError(exchange(request(1, 0, Bytes(10))), 1, "short parameter block");

    Bytes badHeader = request(7, 0);
    badHeader[7] ^= 0x01;
    expectError(exchange(badHeader), 2, "header CRC");

    // A broken request is not half-executed, and what follows it in the same
    // burst is not read as a new request.
    auto words = parameters::defaultParameterWords();
    words[word::Power] = 900;
    Bytes badData = request(1, 0, parameterBlock(words));
    badData[6] ^= 0x10;
    badData[7] = link::crc8Update(badData.data(), 0, 7);
    expectError(exchange(badData), 2, "data CRC");
    EXPECT_EQ(sensor.memory().ramParameters[word::Power], 500);

    Bytes burst = badHeader;
    const Bytes good = request(7, 0);
    burst.insert(burst.end(), good.begin(), good.end());
    expectError(exchange(burst), 2, "burst");
    // After a quiet line the sensor listens again.
    EXPECT_EQ(ask(7, 0).order, 7);
}

TEST_F(SimSensor, ParameterAndTeachBlocksRoundTrip) {
    auto words = parameters::defaultParameterWords();
    words[word::Power] = 700;
    words[word::Gain] = 9;    // out of range
    words[word::Average] = 0; // out of range
    words[word::CorrectionX] = 192;
    words[word::CubeRootX] = 1; // derived again by the sensor, not counted
    EXPECT_EQ(ask(1, 0, parameterBlock(words)).argument, 2);

    const Frame got = ask(2, 0);
    ASSERT_EQ(got.payload.size(), 64u);
    auto wordAt = [&](std::size_t w) { return link::readU16(got.payload.data() + 2 * w); };
    EXPECT_EQ(wordAt(word::Power), 700);
    EXPECT_EQ(wordAt(word::Gain), 5);
    EXPECT_EQ(wordAt(word::Average), 1);
    EXPECT_EQ(wordAt(word::CorrectionX), 192);
    EXPECT_EQ(wordAt(word::CubeRootX), 5907);

    // Teach vectors come back bit for bit, including the two words per
    // vector that only the sensor interprets.
    Bytes teach(96);
    for (std::size_t i = 0; i < 24; ++i)
        link::writeU32(teach.data() + 4 * i,
                       static_cast<std::uint32_t>(static_cast<std::int32_t>(i) * 70001 - 800000));
    link::writeU32(teach.data() + 24, 0x7FFF0001u);
    link::writeU32(teach.data() + 32 + 28, static_cast<std::uint32_t>(-12345));
    EXPECT_EQ(ask(1, 2, teach).argument, 0);
    EXPECT_EQ(ask(2, 2).payload, teach);

    // EEPROM: store, overwrite RAM, load back.
    EXPECT_EQ(ask(3, 0).order, 3);
    ask(1, 0, parameterBlock(parameters::defaultParameterWords()));
    EXPECT_EQ(ask(4, 0).argument, 0);
    EXPECT_EQ(ask(2, 0).payload, got.payload);
    EXPECT_EQ(ask(2, 2).payload, teach);
    sensor.memory().eepromParameters[word::ColorSpace] = 9;
    EXPECT_EQ(ask(4, 0).argument, 1);
    EXPECT_EQ(sensor.memory().ramParameters[word::ColorSpace], 0);
}

TEST_F(SimSensor, OtherMemoriesRoundTrip) {
    EXPECT_EQ(ask(101, 0, {1, 0, 2, 0, 3, 0}).argument, 0);
    EXPECT_EQ(ask(101, 1, {0xFF, 0xFF, 5, 0, 6, 0}).argument, 1); // 65535 is no offset
    EXPECT_EQ(ask(102, 0).payload, (Bytes{1, 0, 2, 0, 3, 0, 0, 0, 5, 0, 6, 0}));

    for (std::uint16_t area = 0; area < 4; ++area) {
        Bytes data(area % 2 ? 436 : 384);
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(i * 7 + area);
        if (area % 2)
            link::writeU16(data.data() + 384 + 32, 64); // ROWS
        EXPECT_EQ(ask(103, area, data).argument, 0) << "area " << area;
        EXPECT_EQ(ask(104, area).payload, data) << "area " << area;
    }

    Bytes table(72);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>('A' + i % 26);
    EXPECT_EQ(ask(180, 7680).order, 180);
    EXPECT_EQ(ask(182, 7680, table).order, 182);
    EXPECT_EQ(ask(184, 7680, {36, 0}).payload, table);

    const Frame hw = ask(194, 11181);
    EXPECT_EQ(hw.payload.size(), 512u);
    EXPECT_EQ(ask(194, 11181).payload, hw.payload);

    // A / (B x 0.01) is the scan frequency.
    const Frame cycle = ask(105, 0);
    ASSERT_EQ(cycle.payload.size(), 8u);
    EXPECT_DOUBLE_EQ(link::readI32(cycle.payload.data()) / (link::readI32(cycle.payload.data() + 4) * 0.01),
                     10000.0);
}

TEST_F(SimSensor, WhiteWithDefaultsIsMidRangeAndTaught) {
    const auto r = measure();
    for (int raw : {r.rawX, r.rawY, r.rawZ}) {
        EXPECT_GT(raw, 1000);
        EXPECT_LT(raw, 3000);
    }
    EXPECT_EQ(r.X, r.rawX); // CALIBRATION OFF
    EXPECT_EQ(r.sat, 0);
    EXPECT_EQ(r.dpSet, 0);
    EXPECT_EQ(r.colorNo, 0); // the factory teach table has white in row 0
    EXPECT_GE(r.deltaE, 0.0);
    EXPECT_EQ(r.in0, sensor.model().in0(t) ? 1 : 0);
    EXPECT_GT(r.temp, 250);
    EXPECT_LT(r.temp, 400);
}

TEST_F(SimSensor, RawValuesGrowWithPowerGainAndIntegralAndClip) {
    struct Sweep {
        std::size_t word;
        std::vector<std::uint16_t> values;
        std::uint16_t power;
    };
    const Sweep sweeps[] = {{word::Power, {100, 300, 500, 700}, 500},
                            {word::Gain, {1, 2, 3, 4, 5}, 500},
                            {word::Integral1, {1, 2, 3}, 200}};
    for (const Sweep& s : sweeps) {
        sensor.memory().ramParameters = parameters::defaultParameterWords();
        sensor.memory().ramParameters[word::Power] = s.power;
        int previous = -1;
        for (std::uint16_t v : s.values) {
            sensor.memory().ramParameters[s.word] = v;
            const auto r = measure();
            EXPECT_GT(r.rawY, previous) << "word " << s.word << " = " << v;
            EXPECT_EQ(r.sat, 0);
            previous = r.rawY;
        }
    }
    auto& p = sensor.memory().ramParameters;
    p = parameters::defaultParameterWords();
    p[word::Power] = 1000;
    p[word::Gain] = 8;
    const auto r = measure();
    EXPECT_EQ(r.rawX, 4095);
    EXPECT_EQ(r.rawY, 4095);
    EXPECT_EQ(r.rawZ, 4095);
    EXPECT_NE(r.sat, 0);
}

TEST_F(SimSensor, DoublePowerModeReportsTheSetInUseAndCorrectsSet2) {
    auto& p = sensor.memory().ramParameters;
    p[word::PowerMode] = 1;
    // Set 2 sees four times what set 1 sees: two GAIN stages more.
    p[word::DoublePower1] = 500;
    p[word::DoubleGain1] = 5;
    p[word::DoubleIntegral1] = 1;
    p[word::DoublePower2] = 500;
    p[word::DoubleGain2] = 7;
    p[word::DoubleIntegral2] = 1;
    for (std::size_t c = 0; c < 3; ++c)
        p[word::CorrectionX + c] = 4 * 128;
    auto r = measure(); // white is bright enough for set 1
    EXPECT_EQ(r.dpSet, 1);
    EXPECT_EQ(r.X, r.rawX);
    const int brightX = r.X;

    p[word::DoublePower1] = 100; // now white looks dark with set 1
    p[word::DoublePower2] = 100;
    r = measure();
    EXPECT_EQ(r.dpSet, 2);
    // Set 2's raw value, corrected back onto the scale of set 1.
    EXPECT_GT(r.rawX, brightX / 2);
    EXPECT_NEAR(r.X, r.rawX / 4.0, 1.0);

    p[word::PowerMode] = 0;
    EXPECT_EQ(measure().dpSet, 0);
}

TEST_F(SimSensor, CalibrationModes) {
    auto& p = sensor.memory().ramParameters;
    p[word::Calibration] = 1; // FCAL: the factory white row maps white onto the standard white
    auto r = measure();
    EXPECT_NEAR(double(r.X) / r.Y, 0.9505, 0.01);
    EXPECT_NEAR(double(r.Z) / r.Y, 1.089, 0.01);
    p[word::ColorSpace] = 1;
    r = measure();
    EXPECT_NEAR(r.csI, 100.0, 2.0); // L*
    EXPECT_NEAR(r.csX, 0.0, 2.0);   // a*
    EXPECT_NEAR(r.csY, 0.0, 2.0);   // b*

    p[word::Calibration] = 2; // UCAL without user rows: no correction
    r = measure();
    EXPECT_EQ(r.X, r.rawX);
    p[word::Calibration] = 5; // XYZ OFFSET
    sensor.memory().xyzOffset = {100, 200, 300};
    r = measure();
    EXPECT_EQ(r.X, r.rawX - 100);
    EXPECT_EQ(r.Z, r.rawZ - 300);

    p[word::Calibration] = 0;
    p[word::Intlim] = 4095; // nothing is bright enough
    EXPECT_EQ(measure().colorNo, 255);
}

TEST_F(SimSensor, UserCalibrationAppliesTheFactorsOfTheUserSlotRowByRow) {
    auto& p = sensor.memory().ramParameters;
    const auto raw = measure();
    // Row 1 of the user slot: the raw values just seen, factors 0.5, 1, 2.
    Bytes table(384, 0), factors(436, 0);
    const std::uint16_t f[] = {512, 1024, 2048};
    const std::int16_t seen[] = {raw.rawX, raw.rawY, raw.rawZ};
    for (std::size_t c = 0; c < 3; ++c) {
        link::writeU16(table.data() + 2 * c, static_cast<std::uint16_t>(seen[c]));
        link::writeU16(factors.data() + 2 * c, f[c]);
    }
    link::writeU16(factors.data() + 384 + 32, 1); // ROWS
    EXPECT_EQ(ask(103, 2, table).argument, 0);
    EXPECT_EQ(ask(103, 3, factors).argument, 0);
    EXPECT_EQ(ask(104, 3).payload, factors);

    p[word::Calibration] = 2; // UCAL
    const auto r = measure();
    EXPECT_NEAR(r.X, r.rawX * 0.5, 1.0);
    EXPECT_NEAR(r.Y, r.rawY, 1.0);
    EXPECT_NEAR(r.Z, r.rawZ * 2.0, 2.0);
    p[word::Calibration] = 1; // FCAL keeps the factory factors
    const auto factory = measure();
    EXPECT_NEAR(double(factory.X) / factory.Y, 0.9505, 0.01);
}

class SimCycle : public SimSensor {
protected:
    SimCycle() : SimSensor(sceneConfig("cycle")) {}
};

TEST_F(SimCycle, DisplayColourLooksLikeTheTarget) {
    struct Case {
        SimTime at;
        int dominant; // 0 red, 1 green, 2 blue
    };
    for (const Case c : {Case{5500ms, 0}, Case{9500ms, 1}, Case{13500ms, 2}}) {
        sendAt(request(7, 0), c.at - 50ms);
        const auto colour = measurement::displayColour(measure());
        const int rgb[] = {colour.red, colour.green, colour.blue};
        for (int k = 0; k < 3; ++k) {
            if (k != c.dominant) {
                EXPECT_GT(rgb[c.dominant], rgb[k]) << "at " << c.at.count();
            }
        }
    }
}

TEST(SimColour, CoordinatesInvertTheProgramsSetValueConversion) {
    const Xyz targets[] = {{95.05, 100, 108.9}, {41.24, 21.26, 1.93}, {18.05, 7.22, 95.05}, {1.0, 1.2, 1.5}};
    for (int space = 0; space <= 4; ++space)
        for (const Xyz& xyz : targets) {
            const Coordinates c = colourSpaceCoordinates(space, xyz);
            // Set values carry the intensity-like coordinate first.
            const auto back =
                calibration::setValueToXyz(static_cast<std::uint16_t>(space + 1), {c.intensity, c.c1, c.c2});
            EXPECT_NEAR(back[0], xyz.x, 1e-9 * 100) << "space " << space;
            EXPECT_NEAR(back[1], xyz.y, 1e-9 * 100) << "space " << space;
            EXPECT_NEAR(back[2], xyz.z, 1e-9 * 100) << "space " << space;
        }
}

// The CIE 1931 spectral locus (x, y), 380..700 nm, closed by the line of purples.
constexpr std::array<std::array<double, 2>, 33> kSpectralLocus{{
    {0.1741, 0.0050}, {0.1733, 0.0048}, {0.1714, 0.0051}, {0.1644, 0.0109}, {0.1566, 0.0177},
    {0.1440, 0.0297}, {0.1241, 0.0578}, {0.1096, 0.0868}, {0.0913, 0.1327}, {0.0687, 0.2007},
    {0.0454, 0.2950}, {0.0235, 0.4127}, {0.0082, 0.5384}, {0.0039, 0.6548}, {0.0139, 0.7502},
    {0.0389, 0.8120}, {0.0743, 0.8338}, {0.1142, 0.8262}, {0.1547, 0.8059}, {0.2296, 0.7543},
    {0.3016, 0.6923}, {0.3731, 0.6245}, {0.4441, 0.5547}, {0.5125, 0.4866}, {0.5752, 0.4242},
    {0.6270, 0.3725}, {0.6658, 0.3340}, {0.6915, 0.3083}, {0.7079, 0.2920}, {0.7190, 0.2809},
    {0.7260, 0.2740}, {0.7300, 0.2700}, {0.7347, 0.2653},
}};

bool insideSpectralLocus(double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = kSpectralLocus.size() - 1; i < kSpectralLocus.size(); j = i++) {
        const auto& a = kSpectralLocus[i];
        const auto& b = kSpectralLocus[j];
        if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0])
            inside = !inside;
    }
    return inside;
}

// What the graphs show of the default scene from its first frame: every
// colour-space coordinate of a whole pass inside the range its graph shows,
// L* inside 0..100 and x, y inside the spectral locus, with the sensor's
// defaults and with the factory calibration, in both LED modes.
TEST(SimScene, TheDefaultSceneStaysInsideEveryColourSpacesRange) {
    const Scene scene = SensorConfig{}.scene;
    double cycle = 0;
    for (const SceneTarget& t : scene.targets)
        cycle += t.holdSeconds + scene.transitionSeconds;
    for (const int calibration : {0, 1})
        for (const int ledMode : {0, 1})
            for (int space = 0; space <= 4; ++space) {
                SCOPED_TRACE("CALIBRATION " + std::to_string(calibration) + ", LED MODE " +
                             std::to_string(ledMode) + ", COLOR SPACE " + std::to_string(space));
                SimulatedSensor sensor;
                auto& p = sensor.memory().ramParameters;
                p[word::Calibration] = static_cast<std::uint16_t>(calibration);
                p[word::LedMode] = static_cast<std::uint16_t>(ledMode);
                p[word::ColorSpace] = static_cast<std::uint16_t>(space);
                const auto ranges =
                    calibration::displaySettings(static_cast<std::uint16_t>(space))->axisRanges;
                int outside = 0;
                for (SimTime t{}; t < std::chrono::duration<double>(cycle); t += 10ms) {
                    const Measurement m = sensor.model().measure(sensor.memory(), t);
                    const double c[] = {m.csX, m.csY, m.csI};
                    bool in = true;
                    for (std::size_t k = 0; k < 3; ++k)
                        in = in && c[k] >= ranges[k].min && c[k] <= ranges[k].max;
                    if (space == 0)
                        in = in && insideSpectralLocus(m.csX, m.csY);
                    else
                        in = in && m.csI >= 0.0 && m.csI <= 100.0; // L*
                    if (!in && outside++ < 3)
                        ADD_FAILURE() << "at " << t.count() / 1000000 << " ms: " << c[0] << ", " << c[1]
                                      << ", " << c[2];
                }
                EXPECT_EQ(outside, 0);
            }
}

TEST(SimScene, FileTargetsHoldAndBlend) {
    std::string error;
    const auto scene = parseScene("# targets\n10 20 30 2 dark blue\n\n90 80 70\n", error);
    ASSERT_TRUE(scene) << error;
    ASSERT_EQ(scene->targets.size(), 2u);
    EXPECT_EQ(scene->targets[0].name, "dark blue");
    EXPECT_EQ(sceneColour(*scene, 1.0).y, 20.0);                                        // held
    EXPECT_NEAR(sceneColour(*scene, 2.0 + scene->transitionSeconds / 2).y, 50.0, 1e-9); // half way
    EXPECT_EQ(sceneColour(*scene, 2.0 + scene->transitionSeconds + 1.0).y, 80.0);
    for (const char* bad : {"", "# nothing\n", "1 2\n", "1 2 3 0\n", "1 -2 3\n"}) {
        EXPECT_FALSE(parseScene(bad, error)) << bad;
    }
}

TEST(SimTeach, ShapesEvaluationModesAndLimits) {
    TeachWords rows{};
    const double cells[3][6] = {{0.30, 0.30, 1.0, 0.02, 0.02, 0.1},
                                {0.32, 0.30, 1.0, 0.05, 0.05, 0.1},
                                {0.60, 0.30, 0.2, 0.05, 0.05, 0.1}};
    for (std::size_t r = 0; r < 3; ++r)
        for (std::size_t i = 0; i < 6; ++i)
            rows[8 * r + i] = static_cast<std::int32_t>(cells[r][i] * 65536.0);
    struct Case {
        int shape, mode, maxVec;
        Coordinates at;
        bool belowLimit;
        int colorNo;
        double deltaE; // < -0.5: expect exactly -1
    };
    const double far = std::hypot(0.5 - 0.60, 0.5 - 0.30, 1.0 - 0.2);
    const Case cases[] = {
        {0, 0, 3, {0.315, 0.30, 1.0}, false, 0, 0.015},  // BLOCK, FIRST HIT: row 0 first
        {0, 1, 3, {0.315, 0.30, 1.0}, false, 1, 0.005},  // BEST HIT: row 1 nearer
        {0, 1, 1, {0.315, 0.30, 1.0}, false, 0, 0.015},  // only row 0 enabled
        {0, 0, 3, {0.5, 0.5, 1.0}, false, 255, far},     // no hit: distance to the last enabled row
        {0, 1, 3, {0.5, 0.5, 1.0}, false, 255, -1},      // no hit with BEST HIT
        {0, 0, 3, {0.315, 0.30, 1.0}, true, 255, 0},     // below INTLIM
        {1, 0, 1, {0.314, 0.314, 1.01}, false, 0, 0},    // CYLINDER: radius 0.02 in the plane
        {1, 0, 1, {0.315, 0.315, 1.0}, false, 255, 0},   // outside the radius, inside the block
        {2, 0, 1, {0.30, 0.30, 1.019}, false, 0, 0.019}, // SPHERE radius 0.02
        {2, 0, 1, {0.30, 0.30, 1.021}, false, 255, 0.021},
    };
    int n = 0;
    for (const Case& c : cases) {
        auto p = parameters::defaultParameterWords();
        p[word::ShapeMode] = static_cast<std::uint16_t>(c.shape);
        p[word::EvaluationMode] = static_cast<std::uint16_t>(c.mode);
        p[word::MaxVecNo] = static_cast<std::uint16_t>(c.maxVec);
        const TeachResult r = evaluateTeach(rows, p, c.at, c.belowLimit);
        EXPECT_EQ(r.colorNo, c.colorNo) << "case " << n;
        if (c.deltaE < -0.5) {
            EXPECT_EQ(r.deltaE, -1.0) << "case " << n;
        } else if (c.deltaE > 0) {
            EXPECT_NEAR(r.deltaE, c.deltaE, 1e-4) << "case " << n;
        }
        ++n;
    }
}

TEST(SimFaults, ParsesEveryKindAndRejectsNonsense) {
    for (const char* faultText :
         {"drop:8", "drop:8:3", "delay:250", "split:3", "header-crc:7", "data-crc:7", "short-header:7",
          "short-payload:8", "short-payload:8:10", "error-reply:8:3", "plausibility:1:3", "oversize:2",
          "disconnect:5", "port-error", "port-error:4"}) {
        std::string error;
        const auto f = parseFault(faultText, error);
        ASSERT_TRUE(f) << faultText << ": " << error;
        EXPECT_EQ(toString(*f), faultText);
    }
    for (const char* faultText :
         {"", "drop", "drop:x", "drop:256", "drop:8:0", "bogus:1", "split:0", "delay:-1", "error-reply:8",
          "header-crc:7:1", "disconnect", "port-error:1:2", "short-payload", "short-payload:8:2041"}) {
        std::string error;
        EXPECT_FALSE(parseFault(faultText, error)) << faultText;
        EXPECT_FALSE(error.empty()) << faultText;
    }
}

TEST(SimFaults, EachKindChangesTheReplyAsAnnounced) {
    const SimTime at = 100ms;
    auto run = [&](const char* faultText, const Bytes& req, int times) {
        SimulatedSensor s(sceneConfig("white"));
        s.connectionOpened(SimTime{});
        if (faultText) {
            std::string error;
            s.addFault(*parseFault(faultText, error));
        }
        std::vector<std::vector<Action>> out;
        for (int i = 0; i < times; ++i) {
            s.receive(req, at + i * 50ms);
            out.push_back(s.takeActions());
        }
        return out;
    };
    const Bytes ask7 = request(7, 0);
    const Bytes normal = sentBytes(run(nullptr, ask7, 1)[0]);
    const Bytes payload(normal.begin() + 8, normal.end());

    auto reply = sentBytes(run("header-crc:7", ask7, 1)[0]);
    EXPECT_NE(link::crc8Update(reply.data(), 0, 8), 0);
    EXPECT_EQ(Bytes(reply.begin() + 8, reply.end()), payload);

    reply = sentBytes(run("data-crc:7", ask7, 1)[0]);
    EXPECT_EQ(link::crc8Update(reply.data(), 0, 8), 0);
    EXPECT_FALSE(link::checkPayload(reply.data() + 8, reply.size() - 8, reply[6]));

    EXPECT_EQ(sentBytes(run("short-header:7", ask7, 1)[0]), Bytes(normal.begin(), normal.begin() + 5));

    for (const auto& [faultText, kept] :
         {std::pair{"short-payload:7", 0}, std::pair{"short-payload:7:5", 5}}) {
        // Valid CRCs and length word, only shorter.
        const auto frames = parseFrames(sentBytes(run(faultText, ask7, 1)[0]));
        ASSERT_EQ(frames.size(), 1u) << faultText;
        EXPECT_EQ(frames[0].order, 7) << faultText;
        EXPECT_EQ(frames[0].payload, Bytes(payload.begin(), payload.begin() + kept)) << faultText;
    }
    EXPECT_EQ(sentBytes(run("header-crc:8", ask7, 1)[0]), normal); // bound to another order

    reply = sentBytes(run("error-reply:7:3", ask7, 1)[0]);
    EXPECT_EQ(parseFrames(reply).at(0).order, 0);
    EXPECT_EQ(parseFrames(reply).at(0).argument, 3);

    reply = sentBytes(
        run("plausibility:1:3", request(1, 0, parameterBlock(parameters::defaultParameterWords())), 1)[0]);
    EXPECT_EQ(parseFrames(reply).at(0).argument, 3);

    reply = sentBytes(run("oversize:7", ask7, 1)[0]);
    const std::size_t announced = link::readU16(reply.data() + 4);
    EXPECT_GT(announced, 2040u);
    EXPECT_EQ(reply.size(), 8 + announced);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), reply.begin() + 8));

    const auto split = run("split:5", ask7, 1)[0];
    ASSERT_GT(split.size(), 1u);
    for (std::size_t i = 0; i < split.size(); ++i) {
        EXPECT_LE(split[i].bytes.size(), 5u);
        if (i > 0) {
            EXPECT_GT(split[i].notBefore, split[i - 1].notBefore);
        }
    }
    EXPECT_EQ(sentBytes(split), normal);

    const auto delayed = run("delay:250", ask7, 1)[0];
    ASSERT_EQ(delayed.size(), 1u);
    EXPECT_EQ(delayed[0].notBefore, at + 250ms);
    EXPECT_EQ(delayed[0].bytes, normal);

    const auto dropped = run("drop:7:1", ask7, 2);
    EXPECT_TRUE(dropped[0].empty());
    EXPECT_EQ(sentBytes(dropped[1]), normal);

    const auto closing = run("disconnect:2", ask7, 3);
    ASSERT_EQ(closing[0].size(), 1u);
    ASSERT_EQ(closing[1].size(), 2u);
    EXPECT_EQ(closing[1][0].bytes, normal);
    EXPECT_EQ(closing[1][1].kind, Action::Kind::Close);
    EXPECT_TRUE(closing[2].empty()); // nothing more on a closed line

    const auto hungUp = run("port-error:1", ask7, 2);
    EXPECT_EQ(sentBytes(hungUp[0]), normal);
    ASSERT_EQ(hungUp[1].size(), 1u);
    EXPECT_EQ(hungUp[1][0].kind, Action::Kind::HangUp);
}

TEST(SimLine, BaudChangeAppliesAfterItsReplyAndPacesBothWays) {
    SensorConfig config = sceneConfig("white");
    config.lineRate = true;
    SimulatedSensor s(config);
    s.connectionOpened(SimTime{});
    auto bitsPerSecond = [](SimTime byte) { return 10.0 / std::chrono::duration<double>(byte).count(); };

    const SimTime t0 = 100ms;
    s.receive(request(190, 0), t0);
    auto actions = s.takeActions();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_NEAR(bitsPerSecond(actions[0].byteTime), 115200.0, 1.0); // still the old rate
    EXPECT_GE(actions[0].notBefore, t0 + 8 * actions[0].byteTime);  // after the request has arrived
    EXPECT_EQ(s.baudIndex(), 0);

    const SimTime t1 = 200ms;
    s.receive(request(7, 0), t1);
    actions = s.takeActions();
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_NEAR(bitsPerSecond(actions[0].byteTime), 9600.0, 0.1);
    EXPECT_GE(actions[0].notBefore, t1 + 8 * actions[0].byteTime);
}

TEST_F(SimSensor, TriggerStreamSendsAFrameAtEveryIn0RisingEdge) {
    sensor.memory().ramParameters[word::AnalogOutmode] = 3; // CS REF captures at the edge
    sendAt(request(30, 1), 500ms);
    EXPECT_EQ(sensor.nextWakeup(), SimTime{2s});
    const auto frames = advanceTo(9s); // edges at 2 s and 6 s
    ASSERT_EQ(frames.size(), 2u);
    for (const Frame& f : frames) {
        ASSERT_EQ(f.order, 8);
        measurement::MeasurementRecord r;
        measurement::acceptFrame(r, f.payload.data(), f.payload.size(), false);
        EXPECT_EQ(r.in0, 1);
        EXPECT_EQ(r.refX, r.csX);
        EXPECT_EQ(r.refI, r.csI);
    }
    EXPECT_EQ(parseFrames(sentBytes(sendAt(request(30, 0), 9100ms))).at(0).order, 30);
    EXPECT_TRUE(advanceTo(30s).empty());
    EXPECT_FALSE(sensor.nextWakeup());
}

TEST(SimSensorStreamRate, FixedRateStreamSendsAFrameEveryPeriodUntilStopped) {
    SensorConfig config = sceneConfig("white");
    config.streamPeriod = 10ms; // --stream-rate 100
    SimulatedSensor sensor(config);
    sensor.connectionOpened(SimTime{});
    sensor.receive(request(30, 1), 500ms);
    sensor.takeActions();
    sensor.advance(1s);
    EXPECT_EQ(parseFrames(sentBytes(sensor.takeActions())).size(), 50u); // 510 ms .. 1000 ms
    sensor.receive(request(30, 0), 1001ms);
    sensor.advance(2s);
    EXPECT_EQ(parseFrames(sentBytes(sensor.takeActions())).size(), 1u); // the stop's reply only
}

// Output order of the program's re-ordering: pre-trigger samples first.
std::vector<std::int32_t> reordered(const Frame& frame, std::uint16_t trigger, int preTrigger,
                                    bool singleShot) {
    const int start = singleShot ? 0 : (128 - preTrigger + trigger) % 128;
    std::vector<std::int32_t> out;
    for (int i = 0; i < 128; ++i) {
        const int j = (start + i) % 128;
        out.push_back(frame.payload.size() == 256 ? link::readI16(frame.payload.data() + 2 * j)
                                                  : link::readI32(frame.payload.data() + 4 * j));
    }
    return out;
}

Bytes scanSettings(std::int32_t level, std::uint16_t mode, std::uint16_t pre, std::uint16_t rate,
                   std::uint16_t signal) {
    Bytes b(12);
    link::writeU32(b.data(), static_cast<std::uint32_t>(level));
    link::writeU16(b.data() + 4, mode);
    link::writeU16(b.data() + 6, pre);
    link::writeU16(b.data() + 8, rate);
    link::writeU16(b.data() + 10, signal);
    return b;
}

TEST_F(SimCycle, ScopeScanTriggersAndKeepsThePreTriggerSamples) {
    struct Case {
        const char* name;
        SimTime start;
        std::uint16_t mode, pre, rate;
        std::int32_t level;
        int trace; // frame whose trace crosses at the trigger: 0 state (IN0 bit), 3 blue
    };
    const Case cases[] = {
        {"IN0 high", 1000ms, 4, 10, 100, 0, 0},
        // Raw Z: about 220 for the green card, 840 for the blue one, 290 for the yellow one.
        {"rising edge of blue", 10500ms, 1, 20, 100, 500, 3},  // green -> blue transition
        {"falling edge of blue", 14500ms, 2, 30, 100, 500, 3}, // blue -> yellow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sendAt(request(110, 1, scanSettings(c.level, c.mode, c.pre, c.rate, 0)), c.start);
        EXPECT_TRUE(sensor.scanning());
        const auto frames = advanceTo(c.start + 3s);
        ASSERT_EQ(frames.size(), 4u);
        EXPECT_EQ(frames[0].payload.size(), 256u);
        for (int k = 1; k < 4; ++k)
            EXPECT_EQ(frames[k].payload.size(), 512u);
        const auto trace = reordered(frames[c.trace], frames[0].argument, c.pre, false);
        if (c.trace == 0) {
            EXPECT_EQ(trace[c.pre - 1] & 1, 0);
            EXPECT_EQ(trace[c.pre] & 1, 1);
        } else if (c.mode == 1) {
            EXPECT_LT(trace[c.pre - 1], c.level);
            EXPECT_GE(trace[c.pre], c.level);
        } else {
            EXPECT_GT(trace[c.pre - 1], c.level);
            EXPECT_LE(trace[c.pre], c.level);
        }
        EXPECT_FALSE(sensor.scanning());
    }
}

TEST_F(SimCycle, ScopeSingleShotAndBreak) {
    // Single shot in colour-space values: 128 samples in ring order right away.
    sensor.memory().ramParameters[word::ColorSpace] = 1;
    sendAt(request(110, 1, scanSettings(0, 0, 50, 1, 1)), 1000ms);
    const auto frames = advanceTo(1100ms);
    ASSERT_EQ(frames.size(), 4u);
    for (std::int32_t lightness : reordered(frames[3], frames[0].argument, 50, true))
        EXPECT_NEAR(lightness / 65536.0, 100.0, 5.0); // white
    for (std::int32_t state : reordered(frames[0], frames[0].argument, 50, true))
        EXPECT_EQ(state & 1, 0); // IN0 low in the first 2 s

    // A level that is never reached waits until the break.
    sendAt(request(110, 1, scanSettings(100000, 1, 10, 10, 0)), 2000ms);
    EXPECT_TRUE(advanceTo(4000ms).empty());
    EXPECT_TRUE(sensor.nextWakeup());
    EXPECT_EQ(parseFrames(sentBytes(sendAt(request(110, 0), 4100ms))).at(0).order, 110);
    EXPECT_TRUE(advanceTo(10s).empty());
    EXPECT_FALSE(sensor.scanning());
}

} // namespace
} // namespace tavrino::sim::test

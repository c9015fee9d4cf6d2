// The scope's request encoding, frame decoding, re-ordering and timing as pure logic.

#include "link/frame.h"
#include "scope/scan.h"
#include "scope/timing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tavrino::scope {
namespace {

struct LevelCase {
    double level;
    int signal;
    std::int32_t word;
};

class TriggerLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(TriggerLevelTest, TruncatesTowardsZero) {
    const auto& c = GetParam();
    ScanSettings s{1, 20, 3, c.signal, c.level};
    const auto p = encodeStartRequest(s);
    EXPECT_EQ(link::readI32(p.data()), c.word);
    EXPECT_EQ(link::readU16(p.data() + 4), 1);
    EXPECT_EQ(link::readU16(p.data() + 6), 20);
    EXPECT_EQ(link::readU16(p.data() + 8), 3);
    EXPECT_EQ(link::readU16(p.data() + 10), c.signal);
}

INSTANTIATE_TEST_SUITE_P(Levels, TriggerLevelTest,
                         ::testing::Values(LevelCase{12.7, 1, 832307}, LevelCase{2048.9, 0, 2048},
                                           LevelCase{-3.5, 1, -229376}, LevelCase{-7.9, 0, -7},
                                           LevelCase{1e12, 1, std::numeric_limits<std::int32_t>::max()}));

struct StartCase {
    int mode, preTrigger, index, start;
};

class StartPositionTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartPositionTest, PlacesPreTriggerSamplesBeforeTheTrigger) {
    const auto& c = GetParam();
    EXPECT_EQ(startPosition(c.mode, c.preTrigger, c.index), c.start);
}

INSTANTIATE_TEST_SUITE_P(Positions, StartPositionTest,
                         ::testing::Values(StartCase{0, 20, 100, 0}, StartCase{1, 20, 100, 80},
                                           StartCase{2, 20, 10, 118}, StartCase{4, 0, -1, 127}));

// A frame whose sample at ring position j is j + offset.
std::vector<std::uint8_t> frame(int k, int argument, int offset) {
    const std::size_t size = framePayloadSize(k);
    std::vector<std::uint8_t> f(link::kHeaderSize + size);
    for (int j = 0; j < kSamples; ++j) {
        if (k == 0)
            link::writeU16(f.data() + 8 + 2 * j, static_cast<std::uint16_t>(j % 8));
        else
            link::writeU32(f.data() + 8 + 4 * j, static_cast<std::uint32_t>((j + offset) * 65536));
    }
    link::writeHeader(f.data(), kOrderScan, static_cast<std::uint16_t>(argument),
                      static_cast<std::uint16_t>(size));
    return f;
}

std::vector<std::uint8_t> tcpFrames(int triggerIndex) {
    std::vector<std::uint8_t> all;
    for (int k = 0; k < kFrames; ++k) {
        const auto f = frame(k, k == 0 ? triggerIndex : 0, 1000 * k);
        all.insert(all.end(), f.begin(), f.end());
    }
    return all;
}

TEST(TcpScan, ReordersAllFramesAroundTheTriggerIndex) {
    const auto data = tcpFrames(100);
    ASSERT_EQ(data.size(), kTcpScanSize - kTcpStartReplySize);
    ScanResult r;
    ASSERT_EQ(decodeTcpScan(data.data(), ScanSettings{1, 20, 1, 1, 0.0}, r), TcpScanVerdict::Good);
    EXPECT_EQ(r.red[0], 1080.0);
    EXPECT_EQ(r.green[20], 2100.0);
    EXPECT_EQ(r.blue[48], 3000.0); // ring position 0
    EXPECT_EQ(r.states[0], 80 % 8);
}

TEST(TcpScan, DigitsAreNotScaled) {
    const auto data = tcpFrames(0);
    ScanResult r;
    ASSERT_EQ(decodeTcpScan(data.data(), ScanSettings{0, 0, 1, 0, 0.0}, r), TcpScanVerdict::Good);
    EXPECT_EQ(r.red[3], 1003.0 * 65536);
}

struct DamageCase {
    const char* name;
    std::size_t at;
    TcpScanVerdict verdict;
};

class TcpDamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(TcpDamageTest, EndsTheScan) {
    auto data = tcpFrames(5);
    data[GetParam().at] ^= 0x01;
    ScanResult r;
    EXPECT_EQ(decodeTcpScan(data.data(), ScanSettings{}, r), GetParam().verdict);
}

INSTANTIATE_TEST_SUITE_P(Damage, TcpDamageTest,
                         ::testing::Values(DamageCase{"Frame0Header", 2, TcpScanVerdict::BadHeader},
                                           DamageCase{"Frame2Header", 784 + 1, TcpScanVerdict::BadHeader},
                                           DamageCase{"Frame3Data", 1304 + 100, TcpScanVerdict::BadData}),
                         [](const auto& info) { return info.param.name; });

TEST(TcpScan, AFrameOfTheWrongSizeIsABadHeader) {
    auto data = tcpFrames(5);
    link::writeHeader(data.data(), kOrderScan, 5, 0);
    ScanResult r;
    EXPECT_EQ(decodeTcpScan(data.data(), ScanSettings{}, r), TcpScanVerdict::BadHeader);
}

TEST(DigitalTraces, DrawEachBitAtItsOffset) {
    ScanResult r;
    r.states[7] = 5;
    r.states[8] = 2;
    buildDigitalTraces(r);
    EXPECT_EQ((std::vector{r.digital0[7], r.digital1[7], r.digital2[7]}), (std::vector{3, 0, 5}));
    EXPECT_EQ((std::vector{r.digital0[8], r.digital1[8], r.digital2[8]}), (std::vector{2, 1, 4}));
}

struct CycleCase {
    std::int32_t a, b;
    double frequency, cycleMs;
    const char* frequencyText;
    const char* cycleText;
};

class CycleTimeTest : public ::testing::TestWithParam<CycleCase> {};

TEST_P(CycleTimeTest, ShowsFrequencyAndCycleTime) {
    const auto& c = GetParam();
    const CycleTime t = cycleTimeFromReply(c.a, c.b);
    EXPECT_DOUBLE_EQ(t.frequency, c.frequency);
    EXPECT_DOUBLE_EQ(t.cycleMs, c.cycleMs);
    EXPECT_EQ(fixedText(t.frequency, frequencyDecimals(t.frequency)), c.frequencyText);
    EXPECT_EQ(fixedText(t.cycleMs, cycleTimeDecimals(t.frequency)), c.cycleText);
}

INSTANTIATE_TEST_SUITE_P(Replies, CycleTimeTest,
                         ::testing::Values(CycleCase{5000, 500, 1000.0, 1.0, "1000.0", "1.000"},
                                           CycleCase{500000, 2000, 25000.0, 0.04, "25000", "0.040000"},
                                           CycleCase{1, 200, 0.5, 2000.0, "0.50", "2000"},
                                           CycleCase{5000, 0, 0.0, 0.0, "0.00", "0"}));

struct DeltaCase {
    double x1, x2, cycleMs;
    int rate;
    const char* text;
};

class DeltaXTest : public ::testing::TestWithParam<DeltaCase> {};

TEST_P(DeltaXTest, CountsWholeSamplesBetweenTheCursors) {
    const auto& c = GetParam();
    const double dx = deltaXMs(c.x1, c.x2, c.cycleMs, c.rate);
    EXPECT_EQ(fixedText(dx, deltaXDecimals(dx)), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cursors, DeltaXTest,
                         ::testing::Values(DeltaCase{10.6, 30.2, 1.0, 4, "76.000"},
                                           DeltaCase{0.0, 128.0, 10.0, 2, "2560"},
                                           DeltaCase{3.0, 3.9, 1.0, 1, "0.000000"}));

TEST(AxisSetup, FollowsTheColourSpaceOnlyForTheColourSpaceSignal) {
    EXPECT_EQ(axisSetup(2, 1).yMin, -790.0);
    EXPECT_EQ(axisSetup(4, 1).valueDecimals, 3);
    EXPECT_EQ(axisSetup(0, 1).labelDecimals, 2);
    EXPECT_EQ(axisSetup(3, 0).yMax, 4100.0);
    EXPECT_EQ(axisSetup(3, 0).valueDecimals, 0);
}

} // namespace
} // namespace tavrino::scope

// The measurements between the scope graph's cursors.
#include "scope/statistics.h"

#include <gtest/gtest.h>

namespace tavrino::scope {
namespace {

// red: the position; green: +10 on even, -10 on odd positions; blue: 0
// except 500 at position 64.
ScanResult sampleScan() {
    ScanResult r;
    for (int i = 0; i < kSamples; ++i) {
        const auto k = static_cast<std::size_t>(i);
        r.red[k] = i;
        r.green[k] = i % 2 == 0 ? 10.0 : -10.0;
        r.blue[k] = i == 64 ? 500.0 : 0.0;
    }
    return r;
}

struct StatisticsCase {
    const char* name;
    double x1, x2;
    int first, last;
    TraceStatistics red, green, blue;
};

class CursorStatisticsTest : public ::testing::TestWithParam<StatisticsCase> {};

void expectTrace(const TraceStatistics& got, const TraceStatistics& want) {
    EXPECT_DOUBLE_EQ(got.minimum, want.minimum);
    EXPECT_DOUBLE_EQ(got.maximum, want.maximum);
    EXPECT_DOUBLE_EQ(got.mean, want.mean);
    EXPECT_DOUBLE_EQ(got.peakToPeak, want.peakToPeak);
}

TEST_P(CursorStatisticsTest, MeasuresTheSamplesBetweenTheCursorsBothIncluded) {
    const StatisticsCase& c = GetParam();
    const CursorStatistics s = cursorStatistics(sampleScan(), c.x1, c.x2);
    EXPECT_EQ(s.first, c.first);
    EXPECT_EQ(s.last, c.last);
    expectTrace(s.traces[0], c.red);
    expectTrace(s.traces[1], c.green);
    expectTrace(s.traces[2], c.blue);
}

INSTANTIATE_TEST_SUITE_P(
    Cursors, CursorStatisticsTest,
    ::testing::Values(
        StatisticsCase{"InOrder", 10, 13, 10, 13, {10, 13, 11.5, 3}, {-10, 10, 0, 20}, {0, 0, 0, 0}},
        StatisticsCase{"Reversed", 13, 10, 10, 13, {10, 13, 11.5, 3}, {-10, 10, 0, 20}, {0, 0, 0, 0}},
        StatisticsCase{
            "OddCount", 62, 64, 62, 64, {62, 64, 63, 2}, {-10, 10, 10.0 / 3, 20}, {0, 500, 500.0 / 3, 500}},
        // Each cursor takes its nearest sample.
        StatisticsCase{
            "BetweenSamples", 9.6, 12.4, 10, 12, {10, 12, 11, 2}, {-10, 10, 10.0 / 3, 20}, {0, 0, 0, 0}},
        StatisticsCase{
            "Coincident", 40, 40, 0, 127, {0, 127, 63.5, 127}, {-10, 10, 0, 20}, {0, 500, 500.0 / 128, 500}},
        StatisticsCase{"OnTheSameSample",
                       40.2,
                       39.9,
                       0,
                       127,
                       {0, 127, 63.5, 127},
                       {-10, 10, 0, 20},
                       {0, 500, 500.0 / 128, 500}},
        // The graph runs to 128: the last sample is the nearest there.
        StatisticsCase{
            "AtTheGraphsEnd", 128, 126, 126, 127, {126, 127, 126.5, 1}, {-10, 10, 0, 20}, {0, 0, 0, 0}},
        StatisticsCase{
            "WholeRange", 0, 128, 0, 127, {0, 127, 63.5, 127}, {-10, 10, 0, 20}, {0, 500, 500.0 / 128, 500}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tavrino::scope

// The capture file: what it holds comes back whole, and a file that is not a
// capture, or one line of it that does not parse, gives nothing.
#include "scope/capture_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace tavrino::scope {
namespace {

Capture sampleCapture() {
    Capture c;
    c.date = "2026-12-08 21:52:44";
    c.panelId = "L7";
    c.settings = ScanSettings{2, 20, 3, kColourSpaceSignal, -12.75};
    c.cycleMs = 0.1;
    c.comment = "belt 3\nwhite label \\ grey card\r\nend";
    for (int i = 0; i < kSamples; ++i) {
        const auto k = static_cast<std::size_t>(i);
        // 16.16 fixed point, as the colour-space signal arrives.
        c.result.red[k] = (i * 70001 - 3000000) / 65536.0;
        c.result.green[k] = -i * 0.125;
        c.result.blue[k] = 4000.0 - i;
        c.result.states[k] = static_cast<std::int16_t>(i % 8);
    }
    buildDigitalTraces(c.result);
    return c;
}

TEST(CaptureFile, ReadsBackWhatWasWritten) {
    const Capture written = sampleCapture();
    const CaptureReading r = parseCapture(captureText(written));
    ASSERT_EQ(r.verdict, CaptureReading::Verdict::Read) << "line " << r.line;
    const Capture& read = r.capture;
    EXPECT_EQ(read.date, written.date);
    EXPECT_EQ(read.panelId, written.panelId);
    EXPECT_EQ(read.comment, written.comment);
    EXPECT_EQ(read.cycleMs, written.cycleMs);
    EXPECT_EQ(read.settings.triggerMode, 2);
    EXPECT_EQ(read.settings.preTrigger, 20);
    EXPECT_EQ(read.settings.scanRate, 3);
    EXPECT_EQ(read.settings.recordedSignal, kColourSpaceSignal);
    EXPECT_EQ(read.settings.triggerLevel, -12.75);
    for (std::size_t i = 0; i < kSamples; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(read.result.red[i], written.result.red[i], 5e-7); // six decimals
        EXPECT_EQ(read.result.green[i], written.result.green[i]);
        EXPECT_EQ(read.result.blue[i], written.result.blue[i]);
        EXPECT_EQ(read.result.digital0[i], written.result.digital0[i]);
        EXPECT_EQ(read.result.digital1[i], written.result.digital1[i]);
        EXPECT_EQ(read.result.digital2[i], written.result.digital2[i]);
        EXPECT_EQ(read.result.states[i] & 7, written.result.states[i] & 7);
    }
}

TEST(CaptureFile, HeaderAndRowsAsOtherProgramsReadThem) {
    const std::string text = captureText(sampleCapture());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.find("# TAVRINO4 VXR QLM Scope V3.2 scope capture\n# date: 2026-12-08 21:52:44\n"
                        "# panel id: L7\n# trigger: 2\n# pretrigger: 20\n# rate: 3\n# signal: 1\n"
                        "# level: -12.75\n# cycle time ms: 0.1\n"
                        "# comment: belt 3\\nwhite label \\\\ grey card\\r\\nend\n"
                        "position,red,green,blue,digital0,digital1,digital2\n"
                        "0,-45.776367,0.000000,4000.000000,2,0,4\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\n127,89.876205,-15.875000,3873.000000,3,1,5\n"), std::string::npos);
}

// A line of the file replaced (or, with an empty text, taken out).
struct DamageCase {
    const char* name;
    int line; // 1-based line of the written file
    const char* replacement;
    CaptureReading::Verdict verdict;
    int reportedLine;
};

std::string damaged(const std::string& text, int line, const std::string& replacement) {
    std::size_t begin = 0;
    for (int i = 1; i < line; ++i)
        begin = text.find('\n', begin) + 1;
    const std::size_t end = text.find('\n', begin) + 1;
    return text.substr(0, begin) + (replacement.empty() ? "" : replacement + "\n") + text.substr(end);
}

class CaptureDamageTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(CaptureDamageTest, IsRefusedAtItsLine) {
    const DamageCase& c = GetParam();
    const CaptureReading r = parseCapture(damaged(captureText(sampleCapture()), c.line, c.replacement));
    EXPECT_EQ(r.verdict, c.verdict);
    EXPECT_EQ(r.line, c.reportedLine);
}

using V = CaptureReading::Verdict;
// Lines: 1 title, 2..10 header, 11 columns, 12..139 rows 0..127.
INSTANTIATE_TEST_SUITE_P(
    Damage, CaptureDamageTest,
    ::testing::Values(DamageCase{"OtherTitle", 1, "# some other file", V::NotACapture, 1},
                      DamageCase{"RecordFile", 1, "TAVRINO4 VXR QLM Scope V3.2", V::NotACapture, 1},
                      DamageCase{"NoRate", 5, "", V::NotACapture, 10},
                      DamageCase{"TriggerOutOfRange", 4, "# trigger: 5", V::BadLine, 4},
                      DamageCase{"LevelWithComma", 8, "# level: -12,75", V::BadLine, 8},
                      DamageCase{"HeaderWithoutKey", 3, "panel id L7", V::BadLine, 3},
                      DamageCase{"NoColumns", 11, "", V::BadLine, 11},
                      DamageCase{"TraceNotANumber", 40, "28,1.0,x,3.0,2,0,4", V::BadLine, 40},
                      DamageCase{"TraceNan", 40, "28,1.0,nan,3.0,2,0,4", V::BadLine, 40},
                      DamageCase{"DecimalComma", 40, "28,1,5,2.0,3.0,2,0,4", V::BadLine, 40},
                      DamageCase{"PositionOutOfOrder", 40, "29,1.0,2.0,3.0,2,0,4", V::BadLine, 40},
                      DamageCase{"DigitalNotABit", 40, "28,1.0,2.0,3.0,2,0,7", V::BadLine, 40},
                      DamageCase{"DigitalFraction", 40, "28,1.0,2.0,3.0,2.5,0,4", V::BadLine, 40},
                      DamageCase{"RowMissing", 139, "", V::BadLine, 139},
                      DamageCase{"RowAfterTheLast", 139, "127,1.0,2.0,3.0,2,0,4\n128,1.0,2.0,3.0,2,0,4",
                                 V::BadLine, 140}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureFile, AnEmptyFileIsNoCapture) {
    EXPECT_EQ(parseCapture("").verdict, V::NotACapture);
}

} // namespace
} // namespace tavrino::scope

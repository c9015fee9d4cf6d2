// A record file read back for review, and the decimation that draws a long
// one: without an event loop.

#include "measurement/record.h"
#include "recorder/record_file.h"
#include "recorder/record_reader.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tavrino::recorder {
namespace {

measurement::MeasurementRecord recordNo(int i) {
    measurement::MeasurementRecord r;
    r.X = static_cast<std::int16_t>(100 + i);
    r.Y = static_cast<std::int16_t>(-200 - i);
    r.Z = static_cast<std::int16_t>(3 * i);
    r.csX = 0.25 * i;
    r.csY = -1.5 + i;
    r.csI = 80.125;
    r.deltaE = 0.000001 * i;
    r.colorNo = static_cast<std::int16_t>(i % 3);
    r.temp = static_cast<std::int16_t>(30 + i);
    return r;
}

Timestamp timeNo(int i) {
    return {2026, 12, 8, 14, 3, i % 60};
}

// The lines as the recorder writes them, after `header`.
std::string fileOf(const std::string& header, int lines) {
    std::string text = header;
    for (int i = 0; i < lines; ++i)
        text += recordLine(recordNo(i), timeNo(i));
    return text;
}

struct ModeFile {
    const char* name;
    std::string header;
    std::array<std::string, 3> headings;
    std::string panelId;
};

// The header is written when the file is selected, whatever mode then
// records into it; a file taken with AppendToRecFile has none.
TEST(RecordReader, ReadsTheFileOfEveryModeWithOrWithoutItsHeader) {
    const std::vector<ModeFile> cases = {
        {"english, panel ID, L*a*b*",
         recordHeader(Language::English, "Line 4", 1),
         {"a*", "b*", "L*"},
         "Line 4"},
        {"german, no panel ID, xyY", recordHeader(Language::German, "", 0), {"x", "y", "Y:100"}, ""},
        {"german panel ID", recordHeader(Language::German, "Band", 4), {"u'", "v'", "L*"}, "Band"},
        {"no header (lines appended to a file of another program)", "", {"", "", ""}, ""},
    };
    for (const ModeFile& c : cases) {
        const RecordColumns file = parseRecordFile(fileOf(c.header, 5));
        SCOPED_TRACE(c.name);
        EXPECT_EQ(file.skippedLines, 0u);
        EXPECT_EQ(file.coordinateHeadings, c.headings);
        EXPECT_EQ(file.panelId, c.panelId);
        ASSERT_EQ(file.lines(), 5u);
        for (int i = 0; i < 5; ++i) {
            const auto line = static_cast<std::size_t>(i);
            const measurement::MeasurementRecord r = recordNo(i);
            const std::array<double, kRecordValues> expected{
                double{r.X}, double{r.Y}, double{r.Z},       r.csX,         r.csY,
                r.csI,       r.deltaE,    double{r.colorNo}, double{r.temp}};
            for (std::size_t v = 0; v < kRecordValues; ++v)
                EXPECT_DOUBLE_EQ(file.values[v][line], expected[v]) << i << " " << v;
        }
        EXPECT_EQ(file.time(4), "12-08-2026 14:03:04");
    }
}

TEST(RecordReader, SkipsAndCountsTheLinesThatAreNotRecordLines) {
    const std::string good = recordLine(recordNo(1), timeNo(1));
    std::string missingField = good.substr(0, good.rfind('\t')) + "\r\n";
    std::string extraField = good.substr(0, good.size() - 2) + "\t7\r\n";
    const std::vector<std::string> bad = {
        "12-08-2026\t14:03:01\t1\t2\t3\t0.5\t0.5\t0.5\t0.1\t1\tthirty\r\n", // a word for a number
        "12-08-2026\t14:03:01\t1\t2\t3\t0,5\t0.5\t0.5\t0.1\t1\t30\r\n",     // a decimal comma
        "12-08-2026\t14:03:01\t1.5\t2\t3\t0.5\t0.5\t0.5\t0.1\t1\t30\r\n",   // a fraction for X
        "12-08-2026\t14:03:01\t1\t2\t3\tnan\t0.5\t0.5\t0.1\t1\t30\r\n",     // not a number
        "12/08/2026\t14:03:01\t1\t2\t3\t0.5\t0.5\t0.5\t0.1\t1\t30\r\n",     // another date
        "12-08-2026\t14:3:01\t1\t2\t3\t0.5\t0.5\t0.5\t0.1\t1\t30\r\n",      // a short time
        "12-08-2026\t14:03:01\t1\t\t3\t0.5\t0.5\t0.5\t0.1\t1\t30\r\n",      // an empty field
        missingField,
        extraField,
        "garbage\r\n",
    };
    std::string text = recordHeader(Language::English, "", 1) + good;
    for (const std::string& line : bad)
        text += line + good;
    // Cut off in the middle of its last line, as a full disk leaves it.
    text += good.substr(0, 30);
    const RecordColumns file = parseRecordFile(text);
    EXPECT_EQ(file.skippedLines, bad.size() + 1);
    // The header takes four lines and the first good line one more.
    EXPECT_EQ(file.firstSkippedLine, 6u);
    ASSERT_EQ(file.lines(), bad.size() + 1);
    for (std::size_t line = 0; line < file.lines(); ++line)
        EXPECT_EQ(file.values[0][line], 101.0);
}

TEST(RecordReader, ReadsAFileAndRefusesOneThatIsNotThere) {
    const std::string dir = test::testDirectory("recorder");
    const std::string path = dir + "/RecordFile.dat";
    {
        std::ofstream out(path, std::ios::binary);
        out << fileOf(recordHeader(Language::English, "", 2), 3) << "not a line\r\n";
    }
    const std::optional<RecordColumns> file = readRecordFile(path);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->lines(), 3u);
    EXPECT_EQ(file->skippedLines, 1u);
    EXPECT_EQ(file->firstSkippedLine, 8u);
    EXPECT_FALSE(readRecordFile(dir + "/missing.dat").has_value());
    EXPECT_FALSE(readRecordFile(dir).has_value()); // a directory
}

// ---------------------------------------------------------------- decimation

std::vector<double> wave(std::size_t n) {
    std::vector<double> values(n);
    for (std::size_t i = 0; i < n; ++i)
        values[i] = std::sin(static_cast<double>(i) * 0.001) * 100.0;
    return values;
}

TEST(Decimation, DrawsEveryValueWhileTheyFitTheColumns) {
    const std::vector<double> values{5, 1, 4, 2, 3};
    const std::vector<TracePoint> points = decimate(values, 0, 4, 100);
    ASSERT_EQ(points.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(points[i].x, static_cast<double>(i));
        EXPECT_EQ(points[i].y, values[i]);
    }
    // A view on part of them, its edges rounded outwards.
    const std::vector<TracePoint> part = decimate(values, 1.5, 2.5, 100);
    ASSERT_EQ(part.size(), 3u);
    EXPECT_EQ(part.front().x, 1.0);
    EXPECT_EQ(part.back().x, 3.0);
}

TEST(Decimation, KeepsEveryColumnsLowestAndHighestValueInOrder) {
    std::vector<double> values = wave(1'000'000);
    values[123'457] = 1000.0; // one spike, and one dip
    values[876'543] = -1000.0;
    struct Case {
        double from, to;
        int columns;
    };
    const std::vector<Case> cases = {{0, 999'999, 800}, {100'000, 900'000, 333}, {-50, 2e6, 1}};
    for (const Case& c : cases) {
        const std::vector<TracePoint> points = decimate(values, c.from, c.to, c.columns);
        SCOPED_TRACE(c.columns);
        EXPECT_LE(points.size(), 2u * static_cast<std::size_t>(c.columns));
        EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                                   [](const TracePoint& a, const TracePoint& b) { return a.x < b.x; }));
        // Every point is a value at its line, and the extremes in view are kept.
        for (const TracePoint& p : points)
            EXPECT_EQ(p.y, values[static_cast<std::size_t>(p.x)]);
        const auto has = [&](double y) {
            return std::any_of(points.begin(), points.end(), [y](const TracePoint& p) { return p.y == y; });
        };
        EXPECT_TRUE(has(1000.0));
        EXPECT_TRUE(has(-1000.0));
    }
    // A column's extremes are its own: a narrow view on the spike's
    // neighbourhood draws it at its line.
    const std::vector<TracePoint> near = decimate(values, 123'000, 124'000, 10);
    EXPECT_TRUE(std::any_of(near.begin(), near.end(),
                            [](const TracePoint& p) { return p.x == 123'457.0 && p.y == 1000.0; }));
}

TEST(Decimation, DrawsNothingOfNothing) {
    EXPECT_TRUE(decimate({}, 0, 10, 100).empty());
    const std::vector<double> values{1, 2, 3};
    EXPECT_TRUE(decimate(values, 2, 1, 100).empty());
    EXPECT_TRUE(decimate(values, 0, 2, 0).empty());
    EXPECT_TRUE(decimate(values, std::nan(""), 2, 10).empty());
}

} // namespace
} // namespace tavrino::recorder

// The record file's bytes, the record time and the file writes, without an
// event loop.

#include "recorder/record_file.h"
#include "recorder/record_time.h"
#include "support/file_bytes.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavrino::recorder {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------- record time

struct TimeCase {
    double interval;
    std::uint16_t values;
    double usable;
    RecordTime time;
};

TEST(RecordTime, IntervalIsRaisedAndTheTotalSplitIntoDaysHoursMinutesSeconds) {
    const TimeCase cases[] = {
        {0.1, 10, 0.25, {0, 0, 0, 2.5}},         {3600, 30, 3600, {1, 6, 0, 0}},
        {0.25, 1, 0.25, {0, 0, 0, 0.25}},        {61.5, 1000, 61.5, {0, 17, 5, 0}}, // 61500 s
        {std::nan(""), 4, 0.25, {0, 0, 0, 1.0}},                                    // an empty field
        {-3, 4, 0.25, {0, 0, 0, 1.0}},
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(c.interval);
        EXPECT_EQ(usableInterval(c.interval), c.usable);
        EXPECT_EQ(splitRecordTime(c.interval, c.values), c.time);
    }
    EXPECT_EQ(intervalDuration(0.25), std::chrono::milliseconds(250));
    EXPECT_EQ(intervalDuration(1e300), std::chrono::seconds(static_cast<long long>(kMaximumInterval)));
}

// ---------------------------------------------------------------- header and lines

TEST(RecordFile, HeaderBytesByLanguagePanelIdAndColourSpace) {
    struct Case {
        Language language;
        const char* panelId;
        std::uint16_t colourSpace;
        const char* bytes;
    };
    const Case cases[] = {
        {Language::English, "", 1,
         "\nRecord results of: TAVRINO4 VXR QLM Scope V3.2\r\n\r\n"
         "DATE\tTIME\tX\tY\tZ\ta*\tb*\tL*\tdelta E\tCOLOR\tTEMP\r\n"},
        {Language::German, "Line 3", 0,
         "\nErgebnisse von ... aufzeichnen:TAVRINO4 VXR QLM Scope V3.2\r\nFenster ID:Line 3\r\n\r\n"
         "DATE\tTIME\tX\tY\tZ\tx\ty\tY:100\tdelta E\tCOLOR\tTEMP\r\n"},
        {Language::English, "P", 4,
         "\nRecord results of: TAVRINO4 VXR QLM Scope V3.2\r\nPanel ID: P\r\n\r\n"
         "DATE\tTIME\tX\tY\tZ\tu'\tv'\tL*\tdelta E\tCOLOR\tTEMP\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordHeader(c.language, c.panelId, c.colourSpace), c.bytes);
}

measurement::MeasurementRecord sampleRecord() {
    measurement::MeasurementRecord r;
    r.X = -12;
    r.Y = 2034;
    r.Z = 0;
    r.csX = 1.5;
    r.csY = -0.0000004; // rounds to "-0.000000", as "%f" writes it
    r.csI = 100.1234565;
    r.deltaE = -1;
    r.colorNo = 255;
    r.temp = 312;
    return r;
}

constexpr const char* kSampleLine =
    "03-07-2026\t09:05:01\t-12\t2034\t0\t1.500000\t-0.000000\t100.123457\t-1.000000\t255\t312\r\n";

TEST(RecordFile, LineFieldsInOrderWithSixDecimals) {
    EXPECT_EQ(recordLine(sampleRecord(), {2026, 3, 7, 9, 5, 1}), kSampleLine);
}

// The program runs under the user's locale (Qt sets it from the
// environment); a German one writes "," in "%f".
bool useGermanLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            return true;
    const std::string dir = std::string(TAVRINO_TEST_OUTPUT_DIR) + "/locale";
    if (!fs::exists(dir + "/de_DE.UTF-8")) {
        fs::create_directories(dir);
        const std::string command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(RecordFile, DecimalPointStaysAPointUnderAGermanLocale) {
    ASSERT_TRUE(useGermanLocale()) << "no German locale and none could be built with localedef";
    char printed[32];
    std::snprintf(printed, sizeof printed, "%f", 1.5);
    const std::string underGerman = recordLine(sampleRecord(), {2026, 3, 7, 9, 5, 1});
    std::setlocale(LC_ALL, "C");
    ASSERT_STREQ(printed, "1,500000"); // the locale is really in effect
    EXPECT_EQ(underGerman, kSampleLine);
}

// ---------------------------------------------------------------- writing

TEST(RecordFile, NewFileReplacesAnExistingOneWholeOrNotAtAll) {
    const std::string dir = test::testDirectory("recorder");
    const std::string path = dir + "/RecordFile.dat";
    test::writeFileBytes(path, "old contents\r\n");
    ASSERT_TRUE(writeNewRecordFile(path, "HEADER\r\n"));
    EXPECT_EQ(test::readFileBytes(path), "HEADER\r\n");
    EXPECT_FALSE(writeNewRecordFile(dir + "/missing/RecordFile.dat", "HEADER\r\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no part file left";
}

TEST(RecordFile, AppendedLinesAreWholeOrNotThere) {
    const std::string dir = test::testDirectory("recorder");
    const std::string path = dir + "/RecordFile.dat";
    EXPECT_TRUE(appendToRecordFile(path, "a\r\n")); // made when missing
    EXPECT_TRUE(appendToRecordFile(path, "b\r\n"));
    EXPECT_EQ(test::readFileBytes(path), "a\r\nb\r\n");
    // Not openable, and a disk that is full.
    EXPECT_FALSE(appendToRecordFile(dir + "/missing/RecordFile.dat", "a\r\n"));
    EXPECT_FALSE(appendToRecordFile("/dev/full", std::string(100000, 'x')));
}

} // namespace
} // namespace tavrino::recorder

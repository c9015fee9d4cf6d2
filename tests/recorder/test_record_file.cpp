// The record file's bytes, the record time and the file writes, without an
// event loop.

#include "recorder/record_file.h"
#include "recorder/record_time.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/german_locale.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(RecordFile, DecimalPointStaysAPointUnderAGermanLocale) {
    ASSERT_TRUE(test::useGermanLocale("recorder"))
        << "no German locale and none could be built with localedef";
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

// What the path named before a write, and what must be true of it after.
struct TargetCase {
    const char* name;
    std::function<void(const fs::path& dir)> make; // makes dir/R.dat
    bool written;
    std::function<void(const fs::path& dir)> check;
};

void expectUnchanged(const fs::path& file, const std::string& bytes) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    EXPECT_EQ(test::readFileBytes(file), bytes);
}

TEST(RecordFile, ANewFileNeverDestroysWhatThePathNames) {
    const TargetCase cases[] = {
        {"link",
         [](const fs::path& d) {
             test::writeFileBytes(d / "real.dat", "old\r\n");
             fs::create_symlink("real.dat", d / "R.dat");
         },
         true,
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "R.dat"));
             EXPECT_EQ(test::readFileBytes(d / "real.dat"), "HEADER\r\n");
         }},
        {"read-only",
         [](const fs::path& d) {
             test::writeFileBytes(d / "R.dat", "old\r\n");
             fs::permissions(d / "R.dat", fs::perms::owner_read | fs::perms::group_read);
         },
         false,
         [](const fs::path& d) {
             expectUnchanged(d / "R.dat", "old\r\n");
             EXPECT_EQ(fs::status(d / "R.dat").permissions(), fs::perms::owner_read | fs::perms::group_read);
         }},
        {"fifo", [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "R.dat").c_str(), 0600), 0); }, false,
         [](const fs::path& d) { EXPECT_TRUE(fs::is_fifo(d / "R.dat")); }},
        {"temporary name of its own",
         [](const fs::path& d) { test::writeFileBytes(d / "R.dat.part", "mine\r\n"); }, true,
         [](const fs::path& d) { expectUnchanged(d / "R.dat.part", "mine\r\n"); }},
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = test::testDirectory("recorder");
        c.make(dir);
        EXPECT_EQ(writeNewRecordFile((dir / "R.dat").string(), "HEADER\r\n"), c.written);
        c.check(dir);
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            EXPECT_TRUE(name == "R.dat" || name == "real.dat" || name == "R.dat.part")
                << "left beside: " << name;
        }
    }
}

TEST(RecordFile, AppendedLinesAreWholeOrNotThere) {
    const std::string dir = test::testDirectory("recorder");
    const std::string path = dir + "/RecordFile.dat";
    EXPECT_TRUE(appendToRecordFile(path, "a\r\n")); // made when missing
    EXPECT_TRUE(appendToRecordFile(path, "b\r\n"));
    EXPECT_EQ(test::readFileBytes(path), "a\r\nb\r\n");
    EXPECT_FALSE(appendToRecordFile(dir + "/missing/RecordFile.dat", "a\r\n"));

    // A disk that fills up part-way through a line: the file size limit
    // makes the write fail for any user.
    bool written = true;
    {
        const test::FileSizeLimit limit(100);
        written = appendToRecordFile(path, std::string(200, 'x'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(test::readFileBytes(path), "a\r\nb\r\n");
}

TEST(RecordFile, AppendingNeverWaitsAndTakesOnlyAWritableRegularFile) {
    const fs::path dir = test::testDirectory("recorder");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((dir / "read fifo").c_str(), 0600), 0);
    // A reader on the second FIFO: opening it for writing would not block.
    const int reader = ::open((dir / "read fifo").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    test::writeFileBytes(dir / "locked.dat", "old\r\n");
    fs::permissions(dir / "locked.dat", fs::perms::owner_read);
    test::writeFileBytes(dir / "real.dat", "old\r\n");
    fs::create_symlink("real.dat", dir / "link.dat");

    struct Case {
        const char* name;
        bool appended;
    };
    const Case cases[] = {{"fifo", false}, {"read fifo", false}, {"locked.dat", false}, {"link.dat", true}};
    for (const Case& c : cases) {
        EXPECT_EQ(appendToRecordFile((dir / c.name).string(), "a\r\n"), c.appended) << c.name;
        EXPECT_EQ(appendToRecordFile((dir / c.name).string(), {}), c.appended) << c.name;
    }
    char byte = 0;
    EXPECT_LT(::read(reader, &byte, 1), 1) << "nothing went into the FIFO";
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_EQ(test::readFileBytes(dir / "locked.dat"), "old\r\n");
    EXPECT_EQ(test::readFileBytes(dir / "real.dat"), "old\r\na\r\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.dat"));
}

} // namespace
} // namespace tavrino::recorder

// Reading and writing files: the safe replacement of the target and bad input.

#include "ini/file_writer.h"
#include "ini/ini.h"
#include "ini_test_util.h"
#include "support/build_paths.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrino::test {
namespace {

namespace fs = std::filesystem;

class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = tavrino::test::testOutputDir() / "ini" /
               (std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    // Names in the directory other than the given target: leftovers of a write.
    [[nodiscard]] std::vector<std::string> strayFiles(const std::string& keep) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            if (entry.path().filename() != keep) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    static IniHandle sampleDocument(std::size_t values = 3) {
        IniHandle ini = Ini_New(false);
        Ini_PutString(ini.get(), "GENERAL INFO", "FILE TYPE:", "Parameter File");
        for (std::size_t i = 0; i < values; ++i) {
            Ini_PutString(ini.get(), "DATA", "Value " + std::to_string(i), std::string(100, 'a' + i % 26));
        }
        return ini;
    }

    fs::path dir_;
};

TEST_F(IniFile, WritesCrLfTextAndReadsItBack) {
    const fs::path path = dir_ / "settings.ini";
    IniHandle ini = sampleDocument();
    Ini_PutDouble(ini.get(), "DATA", "Factor", 0.1);
    ASSERT_EQ(Ini_WriteToFile(ini.get(), path.string()), 0);
    EXPECT_EQ(test::readFileBytes(path), iniText(ini.get()));
    EXPECT_TRUE(strayFiles("settings.ini").empty());

    IniHandle back = Ini_New(false);
    ASSERT_EQ(Ini_ReadFromFile(back.get(), path.string()), 0);
    EXPECT_EQ(iniText(back.get()), iniText(ini.get()));
    double factor = 0;
    EXPECT_EQ(Ini_GetDouble(back.get(), "data", "factor", &factor), 1);
    EXPECT_EQ(factor, 0.1);
    EXPECT_EQ(Ini_LineOfLastAccess(back.get()), 11);
}

TEST_F(IniFile, ReplacingKeepsPermissionsAndLinks) {
    const fs::path real = dir_ / "real.ini";
    const fs::path link = dir_ / "link.ini";
    test::writeFileBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real.filename(), link);
    IniHandle ini = sampleDocument();
    ASSERT_EQ(Ini_WriteToFile(ini.get(), link.string()), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readFileBytes(real), iniText(ini.get()));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFile, ALinkToAFileNotYetThereStaysALinkAndFilesBesideAreUntouched) {
    const fs::path link = dir_ / "link.ini";
    fs::create_symlink("real.ini", link);
    test::writeFileBytes(dir_ / "link.ini.part", "mine");
    test::writeFileBytes(dir_ / "ini$$AAAAAA.TMP", "mine too");
    IniHandle ini = sampleDocument();
    ASSERT_EQ(Ini_WriteToFile(ini.get(), link.string()), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readFileBytes(dir_ / "real.ini"), iniText(ini.get()));
    EXPECT_EQ(test::readFileBytes(dir_ / "link.ini.part"), "mine");
    EXPECT_EQ(test::readFileBytes(dir_ / "ini$$AAAAAA.TMP"), "mine too");
    EXPECT_EQ(strayFiles("real.ini").size(), 3U);
}

TEST_F(IniFile, ReadOnlyTargetIsRefusedAndUnchanged) {
    const fs::path path = dir_ / "locked.ini";
    const std::string old = "[OLD]\r\nKeep = 1\r\n";
    test::writeFileBytes(path, old);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    IniHandle ini = sampleDocument();
    EXPECT_EQ(Ini_WriteToFile(ini.get(), path.string()), kIniNotWritable);
    EXPECT_EQ(test::readFileBytes(path), old);
    EXPECT_TRUE(strayFiles("locked.ini").empty());
}

TEST_F(IniFile, ReadOnlyDirectoryIsRefused) {
    const fs::path path = dir_ / "new.ini";
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with privileges that ignore directory permissions";
    }
    IniHandle ini = sampleDocument();
    EXPECT_EQ(Ini_WriteToFile(ini.get(), path.string()), kIniNotWritable);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniFile, FailedWriteLeavesTargetByteForByteAndNoTemporaryFile) {
    const fs::path path = dir_ / "big.ini";
    const std::string old = "; precious\r\n[OLD]\r\nKeep = \"1\"\r\n";
    test::writeFileBytes(path, old);
    IniHandle ini = sampleDocument(1000); // far beyond the file size limit below

    // The file size limit makes a write fail part-way, for any user.
    int status = 0;
    {
        const test::FileSizeLimit limit(40000);
        status = Ini_WriteToFile(ini.get(), path.string());
    }

    EXPECT_EQ(status, kIniWriteError);
    EXPECT_EQ(test::readFileBytes(path), old);
    EXPECT_TRUE(strayFiles("big.ini").empty());
}

TEST_F(IniFile, UnusablePathsGiveStatusesNotCrashes) {
    IniHandle ini = sampleDocument();
    EXPECT_EQ(Ini_WriteToFile(ini.get(), dir_.string()), kIniNotWritable);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), (dir_ / "missing" / "x.ini").string()), kIniPathError);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), ""), kIniPathError);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), dir_.string()), kIniCouldNotOpenFile);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), (dir_ / "missing.ini").string()), kIniCouldNotOpenFile);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), ""), kIniCouldNotOpenFile);
    EXPECT_EQ(Ini_NumberOfSections(ini.get()), 2);
}

TEST_F(IniFile, LoadTellsAMissingFileFromOneThatCannotBeRead) {
    test::writeFileBytes(dir_ / "good.ini", "[S]\nA = 1\n");
    fs::create_symlink(dir_ / "nowhere.ini", dir_ / "dangling.ini");
    ASSERT_EQ(::mkfifo((dir_ / "fifo.ini").c_str(), 0600), 0);
    struct Case {
        std::string path;
        IniFileLoad expected;
    };
    std::vector<Case> cases = {
        {(dir_ / "good.ini").string(), IniFileLoad::Read},
        {(dir_ / "missing.ini").string(), IniFileLoad::Missing},
        {(dir_ / "good.ini" / "below.ini").string(), IniFileLoad::Missing},
        {(dir_ / "dangling.ini").string(), IniFileLoad::Missing},
        {"", IniFileLoad::Missing},
        {dir_.string(), IniFileLoad::Unreadable},
        {(dir_ / "fifo.ini").string(), IniFileLoad::Unreadable}, // must not wait for a writer
        {"/dev/null", IniFileLoad::Unreadable},
    };
    // The superuser reads a file without permissions all the same.
    if (::geteuid() != 0) {
        test::writeFileBytes(dir_ / "locked.ini", "[S]\nA = 1\n");
        fs::permissions(dir_ / "locked.ini", fs::perms::none);
        cases.push_back({(dir_ / "locked.ini").string(), IniFileLoad::Unreadable});
    }
    for (const auto& c : cases) {
        IniHandle ini = Ini_New(false);
        EXPECT_EQ(Ini_LoadFile(ini.get(), c.path), c.expected) << c.path;
    }
}

TEST_F(IniFile, WholeRegularFilesReadAndEverythingElseRefusedWithoutWaiting) {
    std::string large(200 * 1024 + 7, 'x'); // more than one read
    large.back() = '\n';
    test::writeFileBytes(dir_ / "large.dat", large);
    ASSERT_EQ(::mkfifo((dir_ / "fifo.dat").c_str(), 0600), 0);
    std::string text;
    ASSERT_EQ(readRegularFile((dir_ / "large.dat").string(), text), kIniOk);
    EXPECT_EQ(text, large);
    for (const std::string path : {(dir_ / "fifo.dat").string(), dir_.string(), std::string("/dev/null"),
                                   (dir_ / "missing.dat").string(), std::string()})
        EXPECT_EQ(readRegularFile(path, text), kIniCouldNotOpenFile) << path;
}

TEST_F(IniFile, BinaryFileAndHugeLineAreReadSafely) {
    std::mt19937 random(7);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random() & 0xff);
    }
    test::writeFileBytes(dir_ / "binary.ini", binary);
    IniHandle ini = Ini_New(false);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), (dir_ / "binary.ini").string()), 0);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), (dir_ / "binary-out.ini").string()), 0);

    test::writeFileBytes(dir_ / "line.ini", "[S]\n" + std::string(100 * 1024, 'x') + "=1\nAfter = 2\n");
    IniHandle line = Ini_New(false);
    EXPECT_EQ(Ini_ReadFromFile(line.get(), (dir_ / "line.ini").string()), 0);
    EXPECT_EQ(Ini_NumberOfItems(line.get(), "S"), 1);
    EXPECT_TRUE(Ini_ItemExists(line.get(), "S", "After"));
}

} // namespace
} // namespace tavrino::test

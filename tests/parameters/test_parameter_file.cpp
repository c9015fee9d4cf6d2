// The parameter file: its text, saving, loading, defaults and the questions
// and messages around them.

#include "parameters/file_texts.h"
#include "parameters/parameter_file.h"
#include "parameters/wire.h"
#include "support/build_paths.h"
#include "support/file_bytes.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrino::parameters {
namespace {

namespace fs = std::filesystem;
using test::ScriptedOperator;

// A fresh directory per test.
fs::path testDirectory() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path dir = tavrino::test::testOutputDir() / "parameter_file" / info->test_suite_name() / info->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

ParameterSet sampleSet() {
    ParameterSet set;
    for (std::size_t w = 0; w < kWordCount; ++w)
        set.words[w] = static_cast<std::uint16_t>(100 + 7 * w);
    set.words[word::Power] = 1000;
    set.words[word::Gain] = 0;
    set.words[word::Trigger] = 65535;
    set.words[word::CorrectionX] = 192;
    set.words[word::CorrectionX + 1] = 256;
    set.words[word::CorrectionX + 2] = 320;
    set.words[word::CubeRootX] = 5907;
    set.teach = {{{0.5, -0.5, 12.25, 1.52587890625e-05, 100.0, 0.1},
                  {-32768.0, 32767.99998474121, 0.0, 1.0, 2.0, 3.0},
                  {1e-3, -0.001, 7.0, 8.0, 9.0, 10.0}}};
    for (std::size_t i = 0; i < set.teachBlock.size(); ++i)
        set.teachBlock[i] = static_cast<std::uint8_t>(i * 3 + 1);
    return set;
}

// A value of word w that its control offers, different from word to word.
std::uint16_t offeredValue(std::size_t w) {
    const OptionEntry& option = kOptionTable[w];
    return static_cast<std::uint16_t>(option.min + (10 + w) % (option.max - option.min + 1u));
}

FileChoice existing(const fs::path& path) {
    return {FileChoice::Kind::Existing, path.string()};
}

struct Counters : ParameterPanel {
    int getPanelValues = 0;
    int afterLoad = 0;
    void readControls() override { ++getPanelValues; }
    void showParameterSet() override { ++afterLoad; }
};

// A parameter file as another writer might produce it, with some keys and
// whole sections left out.
std::string fileText(const std::set<std::string>& omit, std::string_view type = "Parameter File",
                     std::string_view version = "TAVRINO4 VXR QLM Scope V3.2") {
    std::ostringstream out;
    out << "[GENERAL INFO]\nFILE TYPE: = \"" << type << "\"\nSCOPE VERSION: = \"" << version << "\"\n\n";
    out << "[PARAMETER]\n";
    for (std::size_t w = 0; w < kFileWordCount; ++w)
        if (!omit.contains(std::string(kParameterFileKeys[w])))
            out << kParameterFileKeys[w] << " = " << offeredValue(w) << "\n";
    for (int row = 0; row < 3; ++row) {
        const std::string section = "TEACH VECTOR " + std::to_string(row);
        if (omit.contains(section))
            continue;
        out << "\n[" << section << "]\n";
        for (int cell = 0; cell < 6; ++cell)
            if (!omit.contains(section + "/CELL " + std::to_string(cell)))
                out << "CELL " << cell << " = " << row * 10 + cell + 0.25 << "\n";
    }
    return out.str();
}

TEST(ParameterFile, SavedFileHasExactTextAndDialogStartsAtRememberedPath) {
    const fs::path dir = testDirectory();
    const fs::path target = dir / "saved.ini";
    ParameterSet set = sampleSet();
    std::string remembered = (dir / "old" / "Parameter.ini").string();
    ScriptedOperator op;
    op.fileAnswers.push_back({FileChoice::Kind::New, target.string()});
    Counters counters;

    EXPECT_EQ(SendParaToFile(op, Language::English, set, remembered, counters), ParameterFileResult::Saved);

    ASSERT_EQ(op.fileRequests.size(), 1U);
    const FileRequest& request = op.fileRequests[0];
    EXPECT_EQ(request.mode, FileRequest::Mode::Save);
    EXPECT_EQ(request.startDirectory, (dir / "old").string());
    EXPECT_EQ(request.defaultName, "Parameter.ini");
    EXPECT_EQ(request.filter, "*.ini");
    EXPECT_EQ(request.title, "Parameter");
    EXPECT_EQ(remembered, target.string());
    EXPECT_EQ(counters.getPanelValues, 1);
    EXPECT_EQ(counters.afterLoad, 0);
    EXPECT_EQ(op.calls.size(), 1U) << "saving shows no confirmation";

    const std::string expected = "[GENERAL INFO]\r\n"
                                 "FILE TYPE: = \"Parameter File\"\r\n"
                                 "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n"
                                 "\r\n"
                                 "[PARAMETER]\r\n"
                                 "POWER = 1000\r\n"
                                 "POWER MODE = 107\r\n"
                                 "GAIN = 0\r\n"
                                 "INTEGRAL 1 = 121\r\n"
                                 "INTEGRAL 2 = 128\r\n"
                                 "AVERAGE = 135\r\n"
                                 "LED MODE = 142\r\n"
                                 "COLOR SPACE = 149\r\n"
                                 "CALIBRATION = 156\r\n"
                                 "DIGITAL OUTMODE = 163\r\n"
                                 "MAX VEC NO = 170\r\n"
                                 "INTLIM = 177\r\n"
                                 "EVALUATION MODE = 184\r\n"
                                 "SHAPE MODE = 191\r\n"
                                 "EXTERN TEACH = 198\r\n"
                                 "TRIGGER = 65535\r\n"
                                 "ANALOG OUTMODE = 212\r\n"
                                 "ANALOG OUT SIGNAL = 219\r\n"
                                 "ANALOG OUT = 226\r\n"
                                 "ANALOG ZOOM = 233\r\n"
                                 "DOUBLE PARA POWER1 = 240\r\n"
                                 "DOUBLE PARA GAIN1 = 247\r\n"
                                 "DOUBLE PARA INTEGRAL1 = 254\r\n"
                                 "DOUBLE PARA POWER2 = 261\r\n"
                                 "DOUBLE PARA GAIN2 = 268\r\n"
                                 "DOUBLE PARA INTEGRAL2 = 275\r\n"
                                 "CORRECTION VALUE X = 192\r\n"
                                 "CORRECTION VALUE Y = 256\r\n"
                                 "CORRECTION VALUE Z = 320\r\n"
                                 "\r\n"
                                 "[TEACH VECTOR 0]\r\n"
                                 "CELL 0 = 0.5\r\n"
                                 "CELL 1 = -0.5\r\n"
                                 "CELL 2 = 12.25\r\n"
                                 "CELL 3 = 1.52587890625e-05\r\n"
                                 "CELL 4 = 100\r\n"
                                 "CELL 5 = 0.1\r\n"
                                 "\r\n"
                                 "[TEACH VECTOR 1]\r\n"
                                 "CELL 0 = -32768\r\n"
                                 "CELL 1 = 32767.99998474121\r\n"
                                 "CELL 2 = 0\r\n"
                                 "CELL 3 = 1\r\n"
                                 "CELL 4 = 2\r\n"
                                 "CELL 5 = 3\r\n"
                                 "\r\n"
                                 "[TEACH VECTOR 2]\r\n"
                                 "CELL 0 = 0.001\r\n"
                                 "CELL 1 = -0.001\r\n"
                                 "CELL 2 = 7\r\n"
                                 "CELL 3 = 8\r\n"
                                 "CELL 4 = 9\r\n"
                                 "CELL 5 = 10\r\n"
                                 "\r\n";
    EXPECT_EQ(test::readFileBytes(target), expected);
}

TEST(ParameterFile, SaveAndLoadGiveTheSameSetExceptWhatTheFileDoesNotHold) {
    const fs::path dir = testDirectory();
    const fs::path target = dir / "Parameter.ini";
    ParameterSet saved = sampleSet();
    for (std::size_t w = 0; w < kFileWordCount; ++w)
        saved.words[w] = offeredValue(w);
    // Typed by the operator, and as a GET received it.
    saved.teach[2][0] = 610.36;
    saved.teach[2][1] = fromFixedPoint(1442100146);
    ParameterSet set = saved;
    std::string remembered = target.string();
    ScriptedOperator op;
    op.fileAnswers.push_back({FileChoice::Kind::New, target.string()});
    op.fileAnswers.push_back(existing(target));
    Counters counters;
    ASSERT_EQ(SendParaToFile(op, Language::German, set, remembered, counters), ParameterFileResult::Saved);

    // Load into a set whose derived and uninterpreted words differ.
    ParameterSet loaded;
    loaded.words[word::CubeRootX] = 1;
    loaded.words[word::CubeRootX + 2] = 3;
    loaded.teachBlock.fill(0xAB);
    const ParameterSet before = loaded;
    EXPECT_EQ(ReadParaFromFile(op, Language::German, loaded, remembered, counters),
              ParameterFileResult::Read);

    for (std::size_t w = 0; w < kFileWordCount; ++w)
        EXPECT_EQ(loaded.words[w], saved.words[w]) << kParameterFileKeys[w];
    for (std::size_t w = kFileWordCount; w < kWordCount; ++w)
        EXPECT_EQ(loaded.words[w], before.words[w]) << "word " << w;
    EXPECT_EQ(loaded.teachBlock, before.teachBlock);
    // The cells the operator typed come back exactly; every cell goes out as
    // the word it went out as before the save.
    EXPECT_EQ(loaded.teach[2][0], 610.36);
    for (int row = 0; row < 3; ++row)
        for (int cell = 0; cell < 6; ++cell) {
            EXPECT_NEAR(loaded.teach[row][cell], saved.teach[row][cell], 1e-15 * 32768) << row << ":" << cell;
            EXPECT_EQ(toFixedPoint(loaded.teach[row][cell]), toFixedPoint(saved.teach[row][cell]))
                << row << ":" << cell;
        }
    EXPECT_EQ(toFixedPoint(loaded.teach[2][0]), 40000552);
    EXPECT_EQ(toFixedPoint(loaded.teach[2][1]), 1442100146);
    EXPECT_EQ(op.count("confirm"), 0U);
    EXPECT_EQ(op.count("message"), 0U);
    EXPECT_EQ(op.fileRequests.at(1).mode, FileRequest::Mode::Open);
    EXPECT_EQ(counters.afterLoad, 1);
}

TEST(ParameterFile, UnreadableKeysTakeDefaultsAndAreListedOnce) {
    const std::string en = "Following parameter could not be read \nand were set to default value:\n\n";
    const std::string de = "Folgende Parameter konnten nicht eingelesen werden \n"
                           "und wurden auf Voreinstellung gesetzt:\n\n";
    struct Case {
        std::string items; // replaces the PARAMETER section's lines for these keys
        Language language;
        std::size_t word;
        std::uint16_t expected;
        std::string message; // empty: no popup
    };
    const Case cases[] = {
        {"", Language::English, word::ExternTeach, 0, en + "EXTEACH\n"},
        {"", Language::German, word::ExternTeach, 0, de + "EXTEACH\n"},
        {"EXTERN TEACH = 1\nPOWER = abc\n", Language::English, word::Power, 500, en + "POWER\n"},
        {"EXTERN TEACH = 1\nCORRECTION VALUE X = 192\n", Language::English, word::CorrectionX, 192, ""},
        // Values their control does not offer name no setting: they count as unreadable.
        {"EXTERN TEACH = 1\nPOWER = 65537\n", Language::English, word::Power, 500, en + "POWER\n"},
        {"EXTERN TEACH = 1\nPOWER = -1\n", Language::English, word::Power, 500, en + "POWER\n"},
        {"EXTERN TEACH = 1\nPOWER = 5000\n", Language::English, word::Power, 500, en + "POWER\n"},
        {"EXTERN TEACH = 1\nPOWER = 1000\n", Language::English, word::Power, 1000, ""},
        {"EXTERN TEACH = 1\nCALIBRATION = 9\n", Language::English, word::Calibration, 0,
         en + "CALIBRATION\n"},
        {"EXTERN TEACH = 1\nCALIBRATION = 6\n", Language::English, word::Calibration, 6, ""},
        {"EXTERN TEACH = 1\nGAIN = 0\n", Language::German, word::Gain, 5, de + "GAIN\n"},
        {"EXTERN TEACH = 1\nDOUBLE PARA GAIN2 = 9\n", Language::English, word::DoubleGain2, 6,
         en + "DOUBLE PARA GAIN2\n"},
        {"EXTERN TEACH = 1\nCORRECTION VALUE Z = 65536\n", Language::English, word::CorrectionX + 2, 128,
         en + "CORRECTION VALUE Z\n"},
        {"EXTERN TEACH = 1\nCORRECTION VALUE Z = 0\n", Language::English, word::CorrectionX + 2, 0, ""},
        {"EXTERN TEACH = 2\n", Language::English, word::ExternTeach, 0, en + "EXTEACH\n"},
        {"EXTERN TEACH = 1\nPOWER =\n", Language::English, word::Power, 500, en + "POWER\n"},
    };
    for (const auto& c : cases) {
        // The file lacks EXTERN TEACH and the key under test unless the case supplies them.
        std::string text = fileText({"EXTERN TEACH", std::string(kParameterFileKeys[c.word])});
        text.insert(text.find("[PARAMETER]\n") + 12, c.items);
        IniHandle ini = Ini_New(false);
        ASSERT_EQ(Ini_ReadFromBuffer(ini.get(), text), kIniOk);
        ParameterSet set = sampleSet();
        ScriptedOperator op;

        const int missing = AcquireParaFromIniHandle(ini.get(), set, op, c.language);

        EXPECT_EQ(set.words[c.word], c.expected) << c.items;
        EXPECT_EQ(set.words[word::Intlim], offeredValue(word::Intlim)) << "other keys are read as they are";
        EXPECT_EQ(set.words[word::CubeRootX], sampleSet().words[word::CubeRootX]);
        if (c.message.empty()) {
            EXPECT_EQ(missing, 0);
            EXPECT_TRUE(op.calls.empty()) << c.items;
        } else {
            EXPECT_EQ(missing, 1);
            ASSERT_EQ(op.calls.size(), 1U) << c.items;
            EXPECT_EQ(op.calls[0].title, c.language == Language::German ? "Info!" : "Message!");
            EXPECT_EQ(op.calls[0].text, c.message);
        }
    }
}

TEST(ParameterFile, IncompleteTeachVectorsBecomeZeroAndAreListedByRow) {
    const std::string header =
        "Following teach vectors could not be read \nand were set to default value:\n\n";
    struct Case {
        std::set<std::string> omit;
        std::string message;
        std::array<bool, 3> zeroRow;
    };
    const Case cases[] = {
        {{"TEACH VECTOR 1"}, header + "TEACH VECTOR 1\n", {false, true, false}},
        {{"TEACH VECTOR 0/CELL 5", "TEACH VECTOR 2"},
         header + "TEACH VECTOR 0\nTEACH VECTOR 2\n",
         {false, false, true}},
        {{}, "", {false, false, false}},
    };
    for (const auto& c : cases) {
        IniHandle ini = Ini_New(false);
        ASSERT_EQ(Ini_ReadFromBuffer(ini.get(), fileText(c.omit)), kIniOk);
        ParameterSet set = sampleSet();
        const auto block = set.teachBlock;
        ScriptedOperator op;

        AcquireTechVecFromIniHandle(ini.get(), set, op, Language::English);

        for (int row = 0; row < 3; ++row)
            for (int cell = 0; cell < 6; ++cell) {
                const bool missing = c.zeroRow[row] || c.omit.contains("TEACH VECTOR " + std::to_string(row) +
                                                                       "/CELL " + std::to_string(cell));
                EXPECT_EQ(set.teach[row][cell], missing ? 0.0 : row * 10 + cell + 0.25)
                    << c.message << " row " << row << " cell " << cell;
            }
        EXPECT_EQ(set.teachBlock, block);
        if (c.message.empty()) {
            EXPECT_TRUE(op.calls.empty());
        } else {
            ASSERT_EQ(op.calls.size(), 1U);
            EXPECT_EQ(op.calls[0].text, c.message);
        }
    }
}

TEST(ParameterFile, TeachCellsTheSensorCannotHoldCountAsUnreadable) {
    std::string text = fileText({});
    text.replace(text.find("CELL 2 = 12.25"), 14, "CELL 2 = 999999");
    text.replace(text.find("CELL 0 = 20.25"), 14, "CELL 0 = -32768");
    IniHandle ini = Ini_New(false);
    ASSERT_EQ(Ini_ReadFromBuffer(ini.get(), text), kIniOk);
    ParameterSet set = sampleSet();
    ScriptedOperator op;

    EXPECT_EQ(AcquireTechVecFromIniHandle(ini.get(), set, op, Language::English), 1);

    EXPECT_EQ(set.teach[1][2], 0.0);
    EXPECT_EQ(set.teach[1][1], 11.25);
    EXPECT_EQ(set.teach[2][0], -32768.0);
    ASSERT_EQ(op.calls.size(), 1U);
    EXPECT_EQ(
        op.calls[0].text,
        "Following teach vectors could not be read \nand were set to default value:\n\nTEACH VECTOR 1\n");
}

TEST(ParameterFile, ForeignFilesAreLoadedOnlyWhenTheOperatorAgrees) {
    const std::string typeQuestion =
        "Selected file is not a parameter file! \nDo you want to proceed anyway?";
    const std::string versionQuestion =
        "Selected file and scope version do not match! \nDo you want to proceed anyway?";
    const std::string notRead = "No parameter were read!";
    struct Case {
        std::string_view type;
        std::string_view version;
        std::vector<bool> answers;
        std::vector<std::string> questions;
        ParameterFileResult result;
    };
    const Case cases[] = {
        {"Calibration File",
         "TAVRINO4 VXR QLM Scope V3.2",
         {false},
         {typeQuestion},
         ParameterFileResult::Declined},
        {"Calibration File",
         "V1.0",
         {true, false},
         {typeQuestion, versionQuestion},
         ParameterFileResult::Declined},
        {"Parameter File", "V1.0", {false}, {versionQuestion}, ParameterFileResult::Declined},
        {"Parameter File", "V1.0", {true}, {versionQuestion}, ParameterFileResult::Read},
        {"parameter file", "", {true, true}, {typeQuestion, versionQuestion}, ParameterFileResult::Read},
    };
    const fs::path dir = testDirectory();
    const fs::path path = dir / "foreign.ini";
    for (const auto& c : cases) {
        test::writeFileBytes(path, fileText({}, c.type, c.version));
        const ParameterSet original = sampleSet();
        ParameterSet set = original;
        std::string remembered;
        ScriptedOperator op;
        op.fileAnswers.push_back(existing(path));
        op.confirmAnswers.assign(c.answers.begin(), c.answers.end());
        Counters counters;

        EXPECT_EQ(ReadParaFromFile(op, Language::English, set, remembered, counters), c.result)
            << c.type << " / " << c.version;

        std::vector<std::string> asked;
        for (const auto& call : op.calls)
            if (call.kind == "confirm")
                asked.push_back(call.text);
        EXPECT_EQ(asked, c.questions);
        EXPECT_TRUE(op.confirmAnswers.empty());
        EXPECT_EQ(counters.afterLoad, 1) << "the controls are rewritten in every case";
        if (c.result == ParameterFileResult::Declined) {
            EXPECT_EQ(op.messages(), std::vector<std::string>{notRead});
            EXPECT_EQ(set.words, original.words);
            EXPECT_EQ(set.teach, original.teach);
        } else {
            EXPECT_TRUE(op.messages().empty());
            EXPECT_EQ(set.words[word::Power], 10);
            EXPECT_EQ(set.teach[2][5], 25.25);
        }
    }
}

TEST(ParameterFile, FileThatCannotBeReadIsReportedAndNothingIsTaken) {
    const fs::path dir = testDirectory();
    struct Case {
        fs::path path;
        Language language;
        std::string message;
    };
    // A directory at the path stops reading even for the superuser.
    std::vector<Case> cases = {
        {dir, Language::English, "File could not be read!\n" + dir.string()},
        {dir, Language::German, "Datei konnte nicht gelesen werden!\n" + dir.string()},
    };
    if (::geteuid() != 0) {
        test::writeFileBytes(dir / "locked.ini",
                             fileText({}, "Parameter File", "TAVRINO4 VXR QLM Scope V3.2"));
        fs::permissions(dir / "locked.ini", fs::perms::none);
        cases.push_back({dir / "locked.ini", Language::English,
                         "File could not be read!\n" + (dir / "locked.ini").string()});
    }
    for (const auto& c : cases) {
        ParameterSet set = sampleSet();
        std::string remembered;
        ScriptedOperator op;
        op.fileAnswers.push_back(existing(c.path));
        Counters counters;

        EXPECT_EQ(ReadParaFromFile(op, c.language, set, remembered, counters),
                  ParameterFileResult::Unreadable);

        EXPECT_EQ(op.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(op.calls.back().title, c.language == Language::German ? "Info!" : "Message!");
        EXPECT_EQ(set.words, sampleSet().words);
        EXPECT_EQ(set.teach, sampleSet().teach);
        EXPECT_EQ(counters.afterLoad, 0);
    }
}

TEST(ParameterFile, NoChosenFileChangesNothing) {
    const std::string noFile = "No file was selected! \nProcess will not be done!";
    const fs::path dir = testDirectory();
    struct Case {
        bool save;
        FileChoice::Kind kind;
        std::string chosen;
        std::string remembered; // afterwards
    };
    const std::string start = (dir / "Parameter.ini").string();
    const std::vector<Case> cases{
        {false, FileChoice::Kind::Nothing, "", start},
        {false, FileChoice::Kind::New, (dir / "new.ini").string(), (dir / "new.ini").string()},
        // Gone between the dialog and the read: as if its name had been new.
        {false, FileChoice::Kind::Existing, (dir / "gone.ini").string(), (dir / "gone.ini").string()},
        {true, FileChoice::Kind::Nothing, "", start},
    };
    for (const auto& c : cases) {
        ParameterSet set = sampleSet();
        std::string remembered = start;
        ScriptedOperator op;
        op.fileAnswers.push_back({c.kind, c.chosen});
        Counters counters;

        const auto result = c.save ? SendParaToFile(op, Language::English, set, remembered, counters)
                                   : ReadParaFromFile(op, Language::English, set, remembered, counters);

        EXPECT_EQ(result, ParameterFileResult::Cancelled);
        EXPECT_EQ(op.messages(), std::vector<std::string>{noFile});
        EXPECT_EQ(op.calls.back().title, "Message!");
        EXPECT_EQ(counters.afterLoad + counters.getPanelValues, 0);
        EXPECT_EQ(set.words, sampleSet().words);
        EXPECT_EQ(remembered, c.remembered);
        EXPECT_FALSE(fs::exists(dir / "new.ini"));
    }
}

TEST(ParameterFile, UnwritableTargetIsReportedAndKeepsTheOldFile) {
    const fs::path dir = testDirectory();
    const fs::path target = dir / "locked.ini";
    const std::string old = "[GENERAL INFO]\r\nFILE TYPE: = \"old\"\r\n";
    test::writeFileBytes(target, old);
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    struct Case {
        Language language;
        std::string text;
    };
    const Case cases[] = {
        {Language::English, "File could not be saved!\n" + target.string()},
        {Language::German, "Datei konnte nicht gespeichert werden!\n" + target.string()},
    };
    for (const auto& c : cases) {
        ParameterSet set = sampleSet();
        std::string remembered;
        ScriptedOperator op;
        op.fileAnswers.push_back(existing(target));
        Counters counters;

        EXPECT_EQ(SendParaToFile(op, c.language, set, remembered, counters), ParameterFileResult::NotSaved);

        EXPECT_EQ(op.messages(), std::vector<std::string>{c.text});
        EXPECT_EQ(test::readFileBytes(target), old);
    }
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace
} // namespace tavrino::parameters

// The panel settings file, the server address list and the row colours'
// INI sections: files written into a fresh directory per test.

#include "app/calibration.h"
#include "app/connection.h"
#include "app/panel_settings.h"
#include "app/server_addresses.h"
#include "app/session.h"
#include "support/build_paths.h"
#include "support/file_bytes.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "teach/row_colours.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

namespace fs = std::filesystem;

// A fresh program directory per test.
class PanelSettingsTest : public ::testing::Test {
protected:
    std::string dir;
    std::string file;
    teach::RowColours rows;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = (tavrino::test::testOutputDir() / "app" / info->test_suite_name() / info->name()).string();
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = joinPath(dir, kPanelSettingsFileName);
    }

    void write(const std::string& text) const {
        std::ofstream out(file, std::ios::binary);
        out << text;
    }
    [[nodiscard]] std::string read() const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // A valid settings file with `body` after its GENERAL INFO section.
    void writeValid(const std::string& body) const {
        write("[GENERAL INFO]\nFILE TYPE: = \"Panel Settings\"\n" + body);
    }
    PanelSettings load(bool expectValid = true) {
        PanelSettings s;
        EXPECT_EQ(LoadPanelSettings(file, dir, s, rows), expectValid);
        return s;
    }
};

TEST_F(PanelSettingsTest, WithoutAFileEverythingKeepsItsDefault) {
    const ConnectionSettings c = readConnectionSettings(file);
    EXPECT_EQ(c.protocol, link::Protocol::Rs232);
    EXPECT_EQ(c.comPort, 1);
    EXPECT_EQ(c.baudIndex, 4);
    EXPECT_EQ(c.serverAddress, "");
    EXPECT_EQ(c.portNumber, "5000");
    EXPECT_EQ(c.comDevice, "");

    rows.setColour(1, 42);
    const PanelSettings s = load(false);
    EXPECT_EQ(s.panelId, "");
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.windowRestore, WindowRestore::Keep);
    EXPECT_TRUE(s.serverAddresses.empty());
    EXPECT_EQ(s.paths.parameterFile, dir + "/Parameter.ini");
    EXPECT_EQ(s.paths.recorderFile, dir + "/RecordFile.dat");
    EXPECT_EQ(s.paths.hardwareIniFile, dir + "/HardwareInitialFile.ini");
    EXPECT_EQ(s.paths.tableAttributesFile, dir + "/TableAttributes.ini");
    EXPECT_EQ(s.paths.calibrationSetvaluesFile, dir + "/CalibrationSetvalues.ini");
    EXPECT_EQ(s.paths.calibrationActualValueFile, dir + "/CalibrationActualValues.ini");
    EXPECT_EQ(s.paths.calibrationReferenceValueFile, dir + "/CalibrationReferenceValues.ini");
    EXPECT_EQ(rows.colour(0), 16711680);
    EXPECT_EQ(rows.colour(1), 8453888);
    EXPECT_EQ(rows.colour(2), 255);
}

TEST_F(PanelSettingsTest, AFileOfAnotherTypeIsIgnoredEntirely) {
    write("[GENERAL INFO]\nFILE TYPE: = \"Parameter File\"\nPANEL ID: = \"X\"\nLANGUAGE = 0\n"
          "[PANEL POSITION]\nMAINPANEL FULLSCREEN = 2\n"
          "[DIRECTORIES]\nPARAMETER FILE = \"/elsewhere/p.ini\"\n"
          "[IP ADDRESSES]\nLIST ITEMS = 1\nIP ADDR 1 = \"10.0.0.1\"\n"
          "[COMMUNICATION SETTINGS]\nCOMPROTOCOL = 1\nCOMPORT = 7\nBAUDRATE = 2\nIP ADRESS = \"h\"\n"
          "PORT NUMBER = \"99\"\n"
          "[TABLE ATTR OF TEACH VECTOR 0]\nRow color = 1\n");
    const PanelSettings s = load(false);
    EXPECT_EQ(s.panelId, "");
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.windowRestore, WindowRestore::Keep);
    EXPECT_EQ(s.paths, defaultFilePaths(dir));
    EXPECT_TRUE(s.serverAddresses.empty());
    EXPECT_EQ(rows.colour(0), 16711680);
    EXPECT_EQ(readConnectionSettings(file), ConnectionSettings{});
}

TEST_F(PanelSettingsTest, EveryFileThatIsNotASettingsFileIsReportedAndAllLeaveTheDefaults) {
    struct Case {
        const char* name;
        std::function<void()> make;
        PanelSettingsLoad outcome;
    };
    const Case cases[] = {
        {"missing", [] {}, PanelSettingsLoad::Missing},
        {"other type", [this] { write("[GENERAL INFO]\nFILE TYPE: = \"x\"\nLANGUAGE = 0\n"); },
         PanelSettingsLoad::OtherType},
        {"no general info", [this] { write("[DIRECTORIES]\nLANGUAGE = 0\n"); }, PanelSettingsLoad::OtherType},
        {"garbage",
         [this] {
             write(std::string("\x7f"
                               "ELF\0\x01\xff garbage",
                               15));
         },
         PanelSettingsLoad::OtherType},
        {"empty", [this] { write(""); }, PanelSettingsLoad::OtherType},
        // A directory stops reading even for the superuser.
        {"directory", [this] { fs::create_directory(file); }, PanelSettingsLoad::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(file);
        c.make();
        test::ScriptedOperator op;
        PanelSettings s;
        s.language = 0;
        EXPECT_EQ(LoadPanelSettings(file, dir, s, rows, op, Language::English), c.outcome);
        const std::vector<std::string> reported = {"File could not be read!\n" + file};
        EXPECT_EQ(op.messages(),
                  c.outcome == PanelSettingsLoad::Missing ? std::vector<std::string>{} : reported);
        EXPECT_EQ(s.language, 1);
        EXPECT_EQ(s.paths, defaultFilePaths(dir));
    }
}

TEST_F(PanelSettingsTest, AForeignFileIsReportedOnceAndKeptAsBackupBeforeTheFirstStore) {
    const std::string foreign = "[GENERAL INFO]\nFILE TYPE: = \"Parameter File\"\n[DATA]\nGain = 7\n";
    write(foreign);
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session(op, graphs, dir);
    loadPanelSettings(session);
    EXPECT_EQ(op.messages(), std::vector<std::string>{"File could not be read!\n" + file});
    // The connection settings come from the same file without a second report.
    EXPECT_EQ(readConnectionSettings(file), ConnectionSettings{});

    ASSERT_EQ(storePanelSettings(session), kIniOk);
    EXPECT_EQ(test::readFileBytes(file + ".bak"), foreign);
    PanelSettings stored;
    EXPECT_TRUE(LoadPanelSettings(file, dir, stored, rows));
    // A second store (the accept button, then the close) keeps the backup.
    ASSERT_EQ(storePanelSettings(session), kIniOk);
    EXPECT_EQ(test::readFileBytes(file + ".bak"), foreign);
    EXPECT_EQ(op.messages().size(), 1U);
}

TEST_F(PanelSettingsTest, AForeignFileThatCannotBeKeptIsNotWrittenOver) {
    const std::string foreign = "not settings\n";
    write(foreign);
    fs::create_directory(file + ".bak"); // in the way of the backup
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session(op, graphs, dir);
    loadPanelSettings(session);
    EXPECT_LT(storePanelSettings(session), 0);
    EXPECT_EQ(test::readFileBytes(file), foreign);
    EXPECT_EQ(op.messages(), (std::vector<std::string>{"File could not be read!\n" + file,
                                                       "File could not be saved!\n" + file}));
}

TEST_F(PanelSettingsTest, ServerAddressesAreCutToTenAndMissingKeysLeaveNoGap) {
    struct Case {
        int listItems;
        std::vector<int> present; // indices of the IP ADDR keys in the file
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {12,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         {"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "a10"}},
        {3, {1, 3}, {"a1", "a3"}},
        {2, {1, 2, 3}, {"a1", "a2"}},
        {0, {1}, {}},
        {-4, {1}, {}},
    };
    for (const auto& c : cases) {
        std::string body = "[IP ADDRESSES]\nLIST ITEMS = " + std::to_string(c.listItems) + "\n";
        for (int k : c.present)
            body += "IP ADDR " + std::to_string(k) + " = \"a" + std::to_string(k) + "\"\n";
        writeValid(body);
        EXPECT_EQ(load().serverAddresses, c.expected) << c.listItems;
    }
    // Without LIST ITEMS nothing is loaded, whatever keys there are.
    writeValid("[IP ADDRESSES]\nIP ADDR 1 = \"a1\"\n");
    EXPECT_TRUE(load().serverAddresses.empty());
}

TEST_F(PanelSettingsTest, WindowPlacementFollowsTheFullscreenKey) {
    struct Case {
        std::string body;
        WindowRestore restore;
        WindowGeometry window;
    };
    const std::string geometry =
        "MAINPANEL LEFT = 5\nMAINPANEL TOP = 6\nMAINPANEL WIDTH = 700\nMAINPANEL HEIGHT = 500\n";
    const Case cases[] = {
        // Without the zoom state the stored geometry is not applied.
        {"[PANEL POSITION]\n" + geometry, WindowRestore::Keep, WindowGeometry{}},
        {"[PANEL POSITION]\nMAINPANEL FULLSCREEN = 0\n", WindowRestore::Place,
         WindowGeometry{0, 10, 40, 1014, 690}},
        {"[PANEL POSITION]\nMAINPANEL FULLSCREEN = 1\n" + geometry, WindowRestore::Place,
         WindowGeometry{1, 5, 6, 700, 500}},
        {"[PANEL POSITION]\nMAINPANEL FULLSCREEN = 0\nMAINPANEL WIDTH = 800\n", WindowRestore::Place,
         WindowGeometry{0, 10, 40, 800, 690}},
        {"[PANEL POSITION]\nMAINPANEL FULLSCREEN = 2\n" + geometry, WindowRestore::Maximise,
         WindowGeometry{2, 10, 40, 1014, 690}},
    };
    for (const auto& c : cases) {
        writeValid(c.body);
        const PanelSettings s = load();
        EXPECT_EQ(s.windowRestore, c.restore) << c.body;
        EXPECT_EQ(s.window, c.window) << c.body;
    }
}

TEST_F(PanelSettingsTest, MissingPathKeysFallBackToTheProgramDirectory) {
    writeValid("[DIRECTORIES]\nTABLE ATTRIBUTES FILE = \"/data/t.ini\"\n");
    const PanelSettings s = load();
    EXPECT_EQ(s.paths.recorderFile, dir + "/RecordFile.dat");
    EXPECT_EQ(s.paths.tableAttributesFile, "/data/t.ini");
    for (const std::string* p :
         {&s.paths.parameterFile, &s.paths.hardwareIniFile, &s.paths.calibrationSetvaluesFile,
          &s.paths.calibrationActualValueFile, &s.paths.calibrationReferenceValueFile})
        EXPECT_EQ(*p, dir);
}

TEST_F(PanelSettingsTest, IdentificationLanguageAndPathsAreCutToTheirFields) {
    // Longer than a file line: the identification's quote stays a quote.
    const std::string longId(1100, 'i');
    const std::string longPath = "/" + std::string(300, 'p');
    writeValid("PANEL ID: = \"" + longId + "\"\nLANGUAGE = 0\n[DIRECTORIES]\nPARAMETER FILE = \"" + longPath +
               "\"\n");
    const PanelSettings s = load();
    EXPECT_EQ(s.panelId, longId.substr(0, 100));
    EXPECT_EQ(s.language, 0);
    EXPECT_EQ(s.paths.parameterFile, longPath.substr(0, 260));
}

TEST_F(PanelSettingsTest, StoreWritesEveryKeyInItsOrder) {
    // Whatever was there before is replaced.
    write("[OTHER PROGRAM]\nKEY = 1\n");
    PanelSettings s;
    s.panelId = "Line 4";
    s.language = 0;
    s.window = {2, 11, 22, 1100, 720};
    s.paths = defaultFilePaths("/p");
    s.paths.recorderFile = "/rec/r.dat";
    for (int k = 1; k <= 11; ++k)
        s.serverAddresses.push_back("host" + std::to_string(k));
    s.connection = {link::Protocol::TcpIp, 3, "/dev/ttyUSB0", 6, "host1", "5001"};
    rows.setColour(1, 16777215);
    rows.setSpecification(0, "red card");
    ASSERT_EQ(StorePanelSettings(file, s, rows), kIniOk);

    std::string expected = "[GENERAL INFO]\r\n"
                           "FILE TYPE: = \"Panel Settings\"\r\n"
                           "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n"
                           "PANEL ID: = \"Line 4\"\r\n"
                           "LANGUAGE = 0\r\n"
                           "\r\n"
                           "[PANEL POSITION]\r\n"
                           "MAINPANEL FULLSCREEN = 2\r\n"
                           "MAINPANEL LEFT = 11\r\n"
                           "MAINPANEL TOP = 22\r\n"
                           "MAINPANEL WIDTH = 1100\r\n"
                           "MAINPANEL HEIGHT = 720\r\n"
                           "\r\n"
                           "[DIRECTORIES]\r\n"
                           "PARAMETER FILE = \"/p/Parameter.ini\"\r\n"
                           "RECORDER FILE = \"/rec/r.dat\"\r\n"
                           "HARDWARE INI FILE = \"/p/HardwareInitialFile.ini\"\r\n"
                           "TABLE ATTRIBUTES FILE = \"/p/TableAttributes.ini\"\r\n"
                           "CALIBRATION SETVALUES FILE = \"/p/CalibrationSetvalues.ini\"\r\n"
                           "CALIBRATION ACTUAL VALUE FILE = \"/p/CalibrationActualValues.ini\"\r\n"
                           "CALIBRATION REFERENCE VALUE FILE = \"/p/CalibrationReferenceValues.ini\"\r\n"
                           "\r\n"
                           "[IP ADDRESSES]\r\n"
                           "LIST ITEMS = 10\r\n";
    for (int k = 1; k <= 10; ++k)
        expected += "IP ADDR " + std::to_string(k) + " = \"host" + std::to_string(k) + "\"\r\n";
    expected += "\r\n"
                "[COMMUNICATION SETTINGS]\r\n"
                "COMPROTOCOL = 1\r\n"
                "COMPORT = 3\r\n"
                "BAUDRATE = 6\r\n"
                "IP ADRESS = \"host1\"\r\n"
                "PORT NUMBER = \"5001\"\r\n"
                "COMDEVICE = \"/dev/ttyUSB0\"\r\n"
                "\r\n"
                "[TABLE ATTR OF TEACH VECTOR 0]\r\n"
                "Row color = 16711680\r\n"
                "Row specification = \"red card\"\r\n"
                "\r\n"
                "[TABLE ATTR OF TEACH VECTOR 1]\r\n"
                "Row color = 16777215\r\n"
                "Row specification = \"\"\r\n"
                "\r\n"
                "[TABLE ATTR OF TEACH VECTOR 2]\r\n"
                "Row color = 255\r\n"
                "Row specification = \"\"\r\n"
                "\r\n";
    EXPECT_EQ(read(), expected);
}

TEST_F(PanelSettingsTest, WhatIsStoredLoadsBack) {
    PanelSettings s;
    s.panelId = "id";
    s.language = 0;
    s.window = {0, 1, 2, 3, 4};
    s.paths = defaultFilePaths("/q");
    s.serverAddresses = {"b", "a"};
    s.connection = {link::Protocol::TcpIp, 9, "/dev/pts/7", 2, "server.local", "6000"};
    rows.setColour(2, 123456);
    rows.setSpecification(2, std::string(120, 's'));
    ASSERT_EQ(StorePanelSettings(file, s, rows), kIniOk);

    teach::RowColours loadedRows;
    PanelSettings back;
    ASSERT_TRUE(LoadPanelSettings(file, dir, back, loadedRows));
    EXPECT_EQ(back.panelId, "id");
    EXPECT_EQ(back.language, 0);
    EXPECT_EQ(back.windowRestore, WindowRestore::Place);
    EXPECT_EQ(back.window, s.window);
    EXPECT_EQ(back.paths, s.paths);
    EXPECT_EQ(back.serverAddresses, s.serverAddresses);
    EXPECT_EQ(loadedRows.colour(2), 123456);
    EXPECT_EQ(loadedRows.specification(2), std::string(99, 's'));
    EXPECT_EQ(readConnectionSettings(file), s.connection);

    // Without a device path there is no COMDEVICE key.
    s.connection.comDevice.clear();
    ASSERT_EQ(StorePanelSettings(file, s, rows), kIniOk);
    EXPECT_EQ(read().find("COMDEVICE"), std::string::npos);
}

TEST_F(PanelSettingsTest, CalibrationDialogsStartAtTheRememberedFilesAndTheLastChoiceIsStored) {
    using calibration::CalibFile;
    writeValid("[DIRECTORIES]\nCALIBRATION REFERENCE VALUE FILE = \"" + dir + "/cal/ref.ini\"\n");
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session session(op, graphs, dir);
    loadPanelSettings(session);

    // The two missing keys leave the bare program directory: the dialog
    // starts in it, not in its parent.
    struct Case {
        CalibFile file;
        std::string start;
        std::string name;
    };
    const Case cases[] = {{CalibFile::Reference, dir + "/cal", "CalibrationReferenceValues.ini"},
                          {CalibFile::SetValues, dir, "CalibrationSetvalues.ini"},
                          {CalibFile::ActualValues, dir, "CalibrationActualValues.ini"}};
    for (const Case& c : cases) {
        op.fileAnswers = {FileChoice{}}; // nothing chosen
        EXPECT_EQ(loadCalibrationFile(session, c.file), -1);
        ASSERT_FALSE(op.fileRequests.empty());
        EXPECT_EQ(op.fileRequests.back().startDirectory, c.start) << c.name;
        EXPECT_EQ(op.fileRequests.back().defaultName, c.name);
    }

    op.fileAnswers = {{FileChoice::Kind::New, dir + "/set.ini"}};
    ASSERT_EQ(SaveCalibSetvalueToFile(session), 1);
    ASSERT_EQ(storePanelSettings(session), kIniOk);
    const PanelSettings back = load();
    EXPECT_EQ(back.paths.calibrationSetvaluesFile, dir + "/set.ini");
    EXPECT_EQ(back.paths.calibrationReferenceValueFile, dir + "/cal/ref.ini");
    EXPECT_EQ(back.paths.calibrationActualValueFile, dir);
}

TEST_F(PanelSettingsTest, ConnectionKeysMissingFromAValidFileKeepTheirDefaults) {
    writeValid("[COMMUNICATION SETTINGS]\nCOMPORT = 4\nPORT NUMBER = \"" + std::string(40, '7') + "\"\n");
    const ConnectionSettings c = readConnectionSettings(file);
    EXPECT_EQ(c.protocol, link::Protocol::Rs232);
    EXPECT_EQ(c.comPort, 4);
    EXPECT_EQ(c.baudIndex, 4);
    EXPECT_EQ(c.serverAddress, "");
    EXPECT_EQ(c.portNumber, std::string(31, '7'));
}

TEST(ServerAddressList, CommitMovesToTheTopAndKeepsTen) {
    struct Case {
        std::vector<std::string> before;
        std::string commit;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b", "c"}, "c", {"c", "a", "b"}},
        {{"a", "b", "c"}, "a", {"a", "b", "c"}},
        {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         "x",
         {"x", "0", "1", "2", "3", "4", "5", "6", "7", "8"}},
        {{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
         "9",
         {"9", "0", "1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const auto& c : cases) {
        ServerAddressList list;
        for (const auto& e : c.before)
            list.append(e);
        list.commit(c.commit);
        EXPECT_EQ(list.entries(), c.after) << c.commit;
    }
}

TEST(RowColourSections, MissingColoursTakeTheirDefaultsAndAreListedWhenAsked) {
    const std::string text =
        "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 65280\r\nRow specification = \"green\"\r\n"
        "[TABLE ATTR OF TEACH VECTOR 2]\r\nRow color = \"not a number\"\r\n";
    for (int report : {0, 1}) {
        IniHandle ini = Ini_New(false);
        ASSERT_EQ(Ini_ReadFromBuffer(ini.get(), text), kIniOk);
        teach::RowColours rows;
        rows.setColour(1, 1);
        rows.setSpecification(1, "old");
        test::ScriptedOperator op;
        EXPECT_EQ(teach::AcquireTableSetFromIniHandle(ini.get(), rows, report, &op, Language::English), 2);
        EXPECT_EQ(rows.colour(0), 65280);
        EXPECT_EQ(rows.specification(0), "green");
        EXPECT_EQ(rows.colour(1), 8453888);
        EXPECT_EQ(rows.specification(1), "");
        EXPECT_EQ(rows.colour(2), 255);
        if (report == 1) {
            ASSERT_EQ(op.messages().size(), 1U);
            EXPECT_EQ(op.messages()[0],
                      "Following teach vectors could not be read \nand were set to default value:\n\n"
                      "TABLE ATTR OF TEACH VECTOR 1\nTABLE ATTR OF TEACH VECTOR 2\n");
            EXPECT_EQ(op.calls[0].title, "Message!");
        } else {
            EXPECT_TRUE(op.calls.empty());
        }
    }
}

} // namespace
} // namespace tavrino::app

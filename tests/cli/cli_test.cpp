#include "cli_runner.h"
#include "support/build_paths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <memory>
#include <string>
#include <sys/types.h>

namespace {

using cli_test::cli;
using cli_test::CliRun;
using cli_test::fileBytes;
using cli_test::Simulator;
using cli_test::writeFile;

class CliTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sim_ = std::make_unique<Simulator>(); }
    static void TearDownTestSuite() { sim_.reset(); }
    void SetUp() override { ASSERT_FALSE(sim_->tcp().isEmpty()) << "tavrino-sim did not name its endpoints"; }
    static QStringList tcp(const QStringList& rest) { return QStringList{"--tcp", sim_->tcp()} + rest; }

    static std::unique_ptr<Simulator> sim_;
};
std::unique_ptr<Simulator> CliTest::sim_;

TEST_F(CliTest, AssistantPrintsTheSetsRawValuesAndCorrectionsOrCancels) {
    // A sensor of its own: the assistant leaves other parameters in its RAM.
    const Simulator own;
    ASSERT_FALSE(own.tcp().isEmpty());
    auto tcp = [&own](const QStringList& rest) { return QStringList{"--tcp", own.tcp()} + rest; };
    CliRun r = cli(tcp({"assistant", "--yes"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    const QStringList labels{"set1", "set2", "xyz1", "xyz2", "xyz3"};
    ASSERT_EQ(lines.size(), 6) << r.out.toStdString();
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(QRegularExpression("^" + labels[i] + "(\\t\\d+){3}$").match(lines[i]).hasMatch())
            << lines[i].toStdString();
    EXPECT_TRUE(QRegularExpression("^correction(\\t\\d+\\.\\d{6}){3}$").match(lines[5]).hasMatch())
        << lines[5].toStdString();
    EXPECT_TRUE(r.err.contains("POWER search, step 10 of 10")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Double parameters have \nbeen sent to the sensor.\n"));

    // Without --yes the first question is cancelled: nothing is sent.
    r = cli(tcp({"assistant", "--to", "eeprom"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(
        "-> Cancel\nParameterisation has been cancelled or can not be done. \nNo parameters are sent "
        "to the sensor.\n"))
        << r.err.toStdString();
    EXPECT_EQ(cli(tcp({"assistant", "--to", "flash"})).status, 2);
}

TEST_F(CliTest, PingPrintsTheFirmwareText) {
    const CliRun r = cli(tcp({"ping"}));
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "TAVRINO4 VXR QLM V3.2.7 B\n");
}

TEST_F(CliTest, MeasurePrintsOneTabSeparatedLinePerFrameOverTcpAndSerial) {
    for (const QStringList& endpoint :
         {QStringList{"--tcp", sim_->tcp()}, QStringList{"--serial", sim_->pty(), "--baud", "4"}}) {
        const CliRun r = cli(endpoint + QStringList{"measure", "-n", "5"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 5);
        // X Y Z rawX rawY rawZ as integers, csX .. deltaE with six decimals,
        // then colorNo in0 temp dpSet sat as integers.
        const QRegularExpression shape(
            QStringLiteral("^(-?\\d+\\t){6}(-?\\d+\\.\\d{6}\\t){7}(-?\\d+\\t){4}-?\\d+$"));
        for (const QString& line : lines)
            EXPECT_TRUE(shape.match(line).hasMatch()) << line.toStdString();
    }
}

TEST_F(CliTest, SensorFailuresGoToStderrInTheChosenLanguageWithStatusOne) {
    CliRun r = cli(tcp({"raw", "99", "0"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(r.err, "Invalid order number! \nVerify PC and sensor software!\n\n");
    r = cli(QStringList{"--lang", "de"} + tcp({"raw", "99", "0"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ungueltiger Befehl! \nPC und Sensor-Software ueberpruefen!\n\n");
}

TEST_F(CliTest, RawPrintsTheReplyAndTraceShowsBothFrames) {
    const CliRun r = cli(tcp({"--trace", "raw", "7", "0"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("7\t0\t72\t54 41 56 52")) << r.out.toStdString(); // "TAVR"
    EXPECT_TRUE(r.err.contains(">> 55 07 00 00 00 00 AA 52")) << r.err.toStdString();
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const QStringList cases[] = {
        {},
        {"measure"},                 // no sensor named
        {"--tcp", "nohost", "ping"}, // no port
        {"--tcp", "127.0.0.1:1", "frobnicate"},
        {"color", "xyz", "6", "1", "2", "3"},
        {"color", "xyz", "1", "2"},
        {"--lang", "fr", "ping"},
        // Endpoints are checked before anything is opened or loaded.
        {"--tcp", ":5000", "ping"},
        {"--tcp", "127.0.0.1:0", "ping"},
        {"--tcp", "127.0.0.1:65536", "measure"},
        {"--serial", "", "ping"},
        {"--tcp", ":5000", "params", "send", "/nonexistent.ini", "--yes"},
        // Offset values are 16-bit words, checked before the link is opened.
        {"--tcp", "127.0.0.1:1", "offset", "send", "xyz", "1", "2", "65536"},
        {"--tcp", "127.0.0.1:1", "offset", "send", "zero-point", "1", "2"},
        {"--tcp", "127.0.0.1:1", "calib", "read", "--slot", "service"},
        {"calib", "factors", "a.ini", "b.ini"},
        // A number the option would read as 0 or that is no setting at all.
        {"--tcp", "127.0.0.1:1", "scope", "--level", "nan"},
    };
    for (const QStringList& args : cases)
        EXPECT_EQ(cli(args).status, 2) << args.join(' ').toStdString();

    // An empty value is no number, whichever option takes it.
    const QStringList numberOptions[] = {
        {"measure", "-n"},
        {"scope", "--level"},
        {"scope", "--trigger"},
        {"scope", "--pretrigger"},
        {"scope", "--rate"},
        {"scope", "--signal"},
        {"record", "-o", "R.dat", "--interval"},
        {"record", "-o", "R.dat", "-n"},
        {"record", "-o", "R.dat", "--color-space"},
    };
    for (const QStringList& option : numberOptions) {
        const QStringList args = QStringList{"--tcp", "127.0.0.1:1"} + option + QStringList{""};
        EXPECT_EQ(cli(args).status, 2) << args.join(' ').toStdString();
    }
}

TEST_F(CliTest, ColourCommandsNeedNoSensor) {
    CliRun r = cli({"color", "xyz", "0", "1", "2", "3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1\t2\t3\n");
    r = cli({"color", "whitepoint", "95.05", "50", "108.9", "27510", "27510", "27510"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "52296\t55020\t59916\n");
    r = cli({"color", "whitepoint", "95.05", "50", "108.9", "27560", "27560", "27560"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "52391\t55120\t60025\n");
    EXPECT_FALSE(r.err.isEmpty());
}

TEST_F(CliTest, ParametersRoundTripThroughTheSensorsEeprom) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString a = dir.filePath("a.ini");
    const QString b = dir.filePath("b.ini");
    CliRun r = cli(tcp({"params", "get", "-o", a}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = cli(tcp({"params", "send", a, "--to", "eeprom"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    r = cli(tcp({"params", "get", "--from", "eeprom", "-o", b}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_FALSE(fileBytes(a).isEmpty());
    EXPECT_EQ(fileBytes(a), fileBytes(b));
    EXPECT_TRUE(fileBytes(a).startsWith("[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"));

    r = cli({"params", "show", a});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 35);
    EXPECT_EQ(lines[0], "word\t0\tPOWER\t500");
    EXPECT_EQ(lines[29], "word\t29\t\t5160"); // cube-root word of the correction 1.0
    EXPECT_TRUE(lines[32].startsWith("teach\t0\t"));
    EXPECT_EQ(lines[32].split('\t').size(), 8);
}

TEST_F(CliTest, ASendOfAFileThatWasNotReadSendsNothing) {
    QTemporaryDir dir;
    const QString foreign = dir.filePath("foreign.ini");
    ASSERT_TRUE(writeFile(foreign, "[GENERAL INFO]\r\nFILE TYPE: = \"Something Else\"\r\n"));
    CliRun r = cli(tcp({"params", "send", foreign}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Selected file is not a parameter file!")) << r.err.toStdString();
    r = cli(tcp({"params", "send", dir.filePath("missing.ini")}));
    EXPECT_EQ(r.status, 1);
}

TEST_F(CliTest, ParameterFileValuesNoControlOffersAreListedAndTakeTheirDefaults) {
    // A sensor of its own: the file's parameters go into its RAM.
    const Simulator own;
    ASSERT_FALSE(own.tcp().isEmpty());
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.ini");
    const QString edited = dir.filePath("edited.ini");
    CliRun r = cli({"--tcp", own.tcp(), "params", "get", "-o", saved});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QString text = QString::fromUtf8(fileBytes(saved));
    text.replace(QRegularExpression("\nPOWER = \\d+"), "\nPOWER = 5000");
    text.replace(QRegularExpression("\nGAIN = \\d+"), "\nGAIN = 0");
    text.replace(QRegularExpression("\nCALIBRATION = \\d+"), "\nCALIBRATION = 9");
    ASSERT_TRUE(writeFile(edited, text.toUtf8()));

    const QString listed = "Following parameter could not be read \nand were set to default value:\n\n"
                           "POWER\nGAIN\nCALIBRATION\n";
    r = cli({"--tcp", own.tcp(), "params", "send", edited});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(listed)) << r.err.toStdString();
    r = cli({"params", "show", edited});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(listed)) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[0].toStdString(), "word\t0\tPOWER\t500");
    EXPECT_EQ(lines[2].toStdString(), "word\t2\tGAIN\t5");
    EXPECT_EQ(lines[8].toStdString(), "word\t8\tCALIBRATION\t0");
}

TEST_F(CliTest, InfoPrintsTheConnectionLog) {
    const CliRun r = cli(tcp({"info"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Try to connect!\nTAVRINO4 VXR QLM V3.2B\nSensor:TAVRINO4-SIM\nSerial number:4711\n"
                     "Next calibration:2027-12-01\n\n");
}

TEST(CliInfo, AFailedGetIsReportedOnStderrNotInThePrintedLog) {
    const Simulator sim({"--fault", "error-reply:2:1"});
    ASSERT_FALSE(sim.tcp().isEmpty());
    const CliRun r = cli({"--tcp", sim.tcp(), "info"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.toStdString(),
              "Try to connect!\nTAVRINO4 VXR QLM V3.2B\nSensor:TAVRINO4-SIM\nSerial number:4711\n"
              "Next calibration:2027-12-01\n\n");
    EXPECT_EQ(r.err.count("Invalid order number! \nVerify PC and sensor software!\n\n"), 1)
        << r.err.toStdString();
}

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFailure) {
    // A full disk: the command says so, once, and exits 1.
    for (const char* command : {"ping", "info"}) {
        QProcess full;
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        full.start(QString::fromUtf8(tavrino::test::cliProgram()), tcp({command}));
        ASSERT_TRUE(full.waitForFinished(30000)) << command;
        EXPECT_EQ(full.exitStatus(), QProcess::NormalExit) << command;
        EXPECT_EQ(full.exitCode(), 1) << command;
        EXPECT_EQ(full.readAllStandardError().count("could not be written"), 1) << command;
    }

    // A reader that goes away after the first line ends a long measurement
    // at the next frame instead of after all of them.
    QProcess measure, head;
    measure.setStandardOutputProcess(&head);
    head.start(QStringLiteral("head"), {"-n", "1"});
    measure.start(QString::fromUtf8(tavrino::test::cliProgram()), tcp({"measure", "-n", "100000000"}));
    ASSERT_TRUE(head.waitForFinished(30000));
    ASSERT_TRUE(measure.waitForFinished(30000)) << "measure went on writing into a closed pipe";
    EXPECT_EQ(measure.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(measure.exitCode(), 1);
    EXPECT_EQ(head.readAllStandardOutput().count('\n'), 1);
}

TEST(CliShortReply, EveryDecodedRecordThatStopsShortFailsOnce) {
    QTemporaryDir dir;
    const QString file = dir.filePath("out.ini");
    const struct {
        const char* fault;
        QStringList command;
        bool writesFile;
    } cases[] = {
        {"short-payload:8", {"measure"}, false},
        {"short-payload:2:32", {"params", "get", "-o", file}, true},
        {"short-payload:102", {"offset", "get"}, false},
        {"short-payload:104", {"calib", "read"}, false},
        {"short-payload:105", {"scope", "cycletime"}, false},
        {"short-payload:184", {"table", "get", "-o", file}, true},
        {"short-payload:194", {"hwinfo", "-o", file}, true},
        {"short-payload:110:100", {"scope"}, false},
        {"short-payload:8:10",
         {"record", "-o", dir.filePath("R.dat"), "--mode", "triggered", "-n", "2", "--color-space", "0"},
         false},
    };
    for (const auto& c : cases) {
        const Simulator sim({"--fault", c.fault, "--stream-rate", "50"});
        ASSERT_FALSE(sim.tcp().isEmpty());
        const CliRun r = cli(QStringList{"--tcp", sim.tcp()} + c.command);
        EXPECT_EQ(r.status, 1) << c.fault;
        EXPECT_TRUE(r.out.isEmpty()) << c.fault << ": " << r.out.toStdString();
        EXPECT_EQ(r.err.count("ATTENTION! \nReceived data frame is incorrect!"), 1)
            << c.fault << ": " << r.err.toStdString();
        if (c.writesFile) {
            EXPECT_FALSE(QFile::exists(file)) << c.fault;
        }
    }
}

TEST_F(CliTest, AParameterFileThatIsNoFileIsNamed) {
    const QStringList paths = {"/nonexistent/Parameter.ini", QDir::tempPath(), "/dev/null"};
    for (const QString& path : paths) {
        const CliRun r = cli({"params", "show", path});
        EXPECT_EQ(r.status, 1) << path.toStdString();
        EXPECT_TRUE(r.err.startsWith("tavrino-cli: " + path + ": ")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("No file was selected")) << r.err.toStdString();
    }
}

TEST_F(CliTest, TableSettingsRoundTripThroughTheSensor) {
    QTemporaryDir dir;
    const QString in = dir.filePath("in.ini");
    const QString out = dir.filePath("out.ini");
    // Row 1's section is missing; row 0 is white with a 20-character text.
    ASSERT_TRUE(writeFile(
        in, "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
            "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n"
            "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 16777215\r\n"
            "Row specification = \"ABCDEFGHIJKLMNOPQRST\"\r\n"
            "[TABLE ATTR OF TEACH VECTOR 2]\r\nRow color = 65280\r\nRow specification = \"green\"\r\n"));
    CliRun r = cli(tcp({"table", "send", in, "--yes"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("could not be read \nand were set to default value:\n\n"
                               "TABLE ATTR OF TEACH VECTOR 1\n"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("Table settings have \nbeen sent to sensor!\n")) << r.err.toStdString();

    r = cli(tcp({"table", "get", "-o", out}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(fileBytes(out), QByteArray("[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
                                         "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 16777215\r\n"
                                         "Row specification = \"ABCDEFGHIJKLMNOP\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 1]\r\nRow color = 8453888\r\n"
                                         "Row specification = \"\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 2]\r\nRow color = 65280\r\n"
                                         "Row specification = \"green\"\r\n\r\n"));
}

TEST_F(CliTest, TableSettingsThatWereNotReadOrFetchedChangeNothing) {
    QTemporaryDir dir;
    const QString foreign = dir.filePath("foreign.ini");
    ASSERT_TRUE(writeFile(foreign, "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"));
    CliRun r = cli(tcp({"table", "send", foreign}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.endsWith("-> No\nNo parameter were read!\n")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("sent to sensor"));

    const QString out = dir.filePath("out.ini");
    r = cli({"--tcp", "127.0.0.1:1", "table", "get", "-o", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(cli({"table", "get"}).status, 2);
}

// The three calibration files of a two-row calibration: the reference is
// standard white in XYZ with raw values that give the white point 9505,
// 10000, 10890; row 2 asks for factors 0.5, 1 and 2.
struct CalibrationFiles {
    QString reference, setValues, actualValues;
};

QByteArray calibrationHeader(const char* type) {
    return QByteArray("[GENERAL INFO]\r\nFILE TYPE: = \"") + type +
           "\"\r\nSCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n\r\n";
}

QByteArray calibrationRows(const char* section, const char* row1, const char* row2) {
    QByteArray out;
    for (int r = 1; r <= 64; ++r) {
        const QList<QByteArray> v = QByteArray(r == 2 ? row2 : row1).split(' ');
        out += QByteArray("[") + section + QByteArray::number(r) + "]\r\n";
        for (int k = 0; k < 3; ++k)
            out += "COLUMN " + QByteArray::number(k + 1) + " = " + v[k] + "\r\n";
    }
    return out;
}

CalibrationFiles writeCalibrationFiles(const QTemporaryDir& dir) {
    const CalibrationFiles f{dir.filePath("ref.ini"), dir.filePath("set.ini"), dir.filePath("act.ini")};
    EXPECT_TRUE(writeFile(
        f.reference, calibrationHeader("Calibration Reference Values") +
                         "[CALIBRATION SETTING]\r\nREFERENCE COLOR SPACE = 0\r\nSETVALUE COLOR SPACE = 0\r\n"
                         "SETVALUE ROWS = 2\r\n[REFERENCE SETVALUE]\r\nCOLUMN 1 = 95.05\r\nCOLUMN 2 = 100\r\n"
                         "COLUMN 3 = 108.9\r\n[REFERENCE ACTUAL VALUE]\r\nX = 9505\r\nY = 10000\r\n"
                         "Z = 10890\r\n"));
    EXPECT_TRUE(writeFile(f.setValues, calibrationHeader("Calibration Setvalues") +
                                           calibrationRows("SETVALUE OF ROW ", "50 50 50", "25 50 100")));
    EXPECT_TRUE(writeFile(f.actualValues,
                          calibrationHeader("Calibration Actual XYZ Values") +
                              calibrationRows("ACTUAL VALUE OF ROW ", "5000 5000 5000", "5000 5000 5000")));
    return f;
}

TEST(CliCalibration, FactorsPrintTheWhitePointAndTheFactorTableWithoutASensor) {
    QTemporaryDir dir;
    const CalibrationFiles f = writeCalibrationFiles(dir);
    const CliRun r = cli({"calib", "factors", f.reference, f.setValues, f.actualValues});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 65);
    EXPECT_EQ(lines[0], "9505\t10000\t10890");
    EXPECT_EQ(lines[1], "1024\t1024\t1024");
    EXPECT_EQ(lines[2], "512\t1024\t2048");
    // Rows above ROWS keep the factors the table starts with.
    for (int row = 3; row <= 64; ++row)
        EXPECT_EQ(lines[row], "1024\t1024\t1024") << row;

    // The reference file offered as the actual values: the question is declined.
    const CliRun declined = cli({"calib", "factors", f.reference, f.setValues, f.reference});
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(declined.out.isEmpty());
    EXPECT_TRUE(declined.err.endsWith("-> No\nNo parameter were read!\n")) << declined.err.toStdString();
}

TEST(CliCalibration, SendWithYesThenReadShowsWhatWasSentAndWithoutYesSendsNothing) {
    const Simulator sim;
    ASSERT_FALSE(sim.tcp().isEmpty());
    QTemporaryDir dir;
    const CalibrationFiles f = writeCalibrationFiles(dir);
    const QStringList send{"--tcp", sim.tcp(),   "--trace",   "calib",
                           "send",  f.reference, f.setValues, f.actualValues};

    CliRun r = cli(send);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(">> 55 02 02 00")) << r.err.toStdString(); // the GET from RAM
    EXPECT_TRUE(r.err.contains("calibration data to the sensor?\n-> No\n"));
    EXPECT_FALSE(r.err.contains(">> 55 67")) << r.err.toStdString(); // no order 103

    r = cli(send + QStringList{"--yes"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(">> 55 67 02 00 80 01")) << r.err.toStdString(); // 384 bytes to slot 2
    EXPECT_TRUE(r.err.contains(">> 55 67 03 00 B4 01")) << r.err.toStdString(); // 436 bytes to slot 3

    r = cli({"--tcp", sim.tcp(), "calib", "read"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8 + 64);
    EXPECT_EQ(lines[0], "rows\t2");
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(QRegularExpression("^(parameters|set1|set2)(\\t\\d+){3}$").match(lines[i]).hasMatch())
            << lines[i].toStdString();
    EXPECT_EQ(lines[4], "correction\t1.000000\t1.000000\t1.000000");
    EXPECT_EQ(lines[5], "whitepoint\t9505\t10000\t10890");
    EXPECT_EQ(lines[6], "reference\t9505\t10000\t10890");
    EXPECT_EQ(lines[7], "whitebalance\t1024\t1024\t1024");
    EXPECT_EQ(lines[8], "5000\t5000\t5000\t1024\t1024\t1024");
    EXPECT_EQ(lines[9], "5000\t5000\t5000\t512\t1024\t2048");
    EXPECT_EQ(lines[71], "5000\t5000\t5000\t1024\t1024\t1024");
}

TEST(CliCalibration, OffsetsSentAreReadBackAndCalcNeedsYes) {
    const Simulator sim;
    ASSERT_FALSE(sim.tcp().isEmpty());
    auto tcp = [&sim](const QStringList& rest) { return QStringList{"--tcp", sim.tcp()} + rest; };
    // The sensor sets a value it finds implausible to 0 and says how many.
    struct Send {
        QStringList args;
        QString notice;
    };
    const Send sends[] = {
        {{"offset", "send", "zero-point", "1", "2", "3"}, ""},
        {{"offset", "send", "xyz", "65535", "5", "6"},
         "Message!\n1 Parameter in RAM did not pass plausibility check and were set to default value!\n\n"}};
    for (const Send& c : sends) {
        const CliRun r = cli(tcp(c.args));
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(r.err, c.notice);
    }
    const QString sent = "zero-point\t1\t2\t3\nxyz\t0\t5\t6\n";
    EXPECT_EQ(cli(tcp({"offset", "get"})).out, sent);

    CliRun r = cli(tcp({"offset", "calc"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.endsWith("covered!\n-> No\n")) << r.err.toStdString();
    EXPECT_EQ(cli(tcp({"offset", "get"})).out, sent);

    r = cli(tcp({"offset", "calc", "--yes"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QRegularExpression("^zero-point(\\t\\d+){3}\\nxyz\\t0\\t5\\t6\\n$").match(r.out).hasMatch())
        << r.out.toStdString();
    EXPECT_NE(r.out, sent);

    EXPECT_EQ(cli({"--tcp", "127.0.0.1:1", "offset", "get"}).status, 1);
}

TEST(ScopeUsage, AnEmptyDirectoryOrConnectionIsAUsageError) {
    for (const char* option : {"--data-dir", "--connect"}) {
        QProcess scope;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        scope.setProcessEnvironment(environment);
        scope.start(QString::fromUtf8(tavrino::test::scopeProgram()), {option, ""});
        // Refused, it ends at once; taken, the window would stay open.
        if (!scope.waitForFinished(30000)) {
            scope.kill();
            scope.waitForFinished();
            ADD_FAILURE() << option << " '' was taken";
            continue;
        }
        EXPECT_EQ(scope.exitStatus(), QProcess::NormalExit) << option;
        EXPECT_EQ(scope.exitCode(), 2) << option;
        EXPECT_TRUE(scope.readAllStandardError().contains(QByteArray("tavrino-scope: ") + option)) << option;
    }
}

TEST(CliMismatch, AFirmwareMismatchIsRefusedWithStatusOne) {
    Simulator sim({"--firmware", "TAVRINO4 VXR QLM V3.1.9 B"});
    ASSERT_FALSE(sim.tcp().isEmpty());
    const CliRun r = cli({"--tcp", sim.tcp(), "info"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains("Sensor firmware and scope version do not match! \nFirmware of connected sensor "
                       "is:TAVRINO4 VXR QLM V3.1"))
        << r.err.toStdString();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(CliScope, ScanPrints128LinesOverTcpAndSerialAndCycleTimeItsTwoValues) {
    const Simulator sim;
    ASSERT_FALSE(sim.tcp().isEmpty());
    const QRegularExpression shape(QStringLiteral("^(\\d+)(\\t-?\\d+\\.\\d{6}){3}\\t[23]\\t[01]\\t[45]$"));
    for (const QStringList& endpoint :
         {QStringList{"--tcp", sim.tcp()}, QStringList{"--serial", sim.pty(), "--baud", "4"}}) {
        const CliRun r = cli(endpoint + QStringList{"scope", "--rate", "2"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 128);
        for (int i = 0; i < lines.size(); ++i) {
            const auto m = shape.match(lines[i]);
            ASSERT_TRUE(m.hasMatch()) << lines[i].toStdString();
            EXPECT_EQ(m.captured(1).toInt(), i);
        }
    }
    const CliRun c = cli({"--tcp", sim.tcp(), "scope", "cycletime"});
    EXPECT_EQ(c.status, 0) << c.err.toStdString();
    EXPECT_EQ(c.out, "10000\t0.100\n");
}

TEST(CliScope, SigtermWhileWaitingSendsTheBreakRequestAndPrintsNothing) {
    const Simulator sim;
    ASSERT_FALSE(sim.tcp().isEmpty());
    QProcess p;
    // A rising edge far above every value the sensor sees: the scan waits.
    p.start(QString::fromUtf8(tavrino::test::cliProgram()),
            {"--tcp", sim.tcp(), "--trace", "scope", "--trigger", "1", "--level", "1000000"});
    ASSERT_TRUE(p.waitForStarted());
    p.setReadChannel(QProcess::StandardError);
    QByteArray err;
    // The start request's reply in the trace shows the wait has begun.
    while (!err.contains(">> 55 6E") && p.waitForReadyRead(10000))
        err += p.readAllStandardError();
    ASSERT_TRUE(err.contains(">> 55 6E")) << err.toStdString();
    p.terminate(); // SIGTERM, during the start exchange or the wait
    ASSERT_TRUE(p.waitForFinished(10000))
        << err.toStdString() << "|" << p.readAllStandardError().toStdString();
    err += p.readAllStandardError();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(err.contains("<< 55 6E 00 00 00 00")) << err.toStdString();
}

TEST(CliScope, OutputFileHoldsTheCaptureOfThePrintedScanAndAFailedWriteIsStatusOne) {
    const Simulator sim;
    ASSERT_FALSE(sim.tcp().isEmpty());
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("c.csv"));
    const QStringList scan{"--tcp",        sim.tcp(), "scope",   "--rate", "3",
                           "--pretrigger", "20",      "--level", "2000"};
    const CliRun r = cli(scan + QStringList{"-o", file});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList printed = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), 128);

    const QStringList lines = QString::fromUtf8(fileBytes(file)).split('\n');
    ASSERT_GE(lines.size(), 11 + 128);
    EXPECT_EQ(lines[0], "# TAVRINO4 VXR QLM Scope V3.2 scope capture");
    for (const char* header : {"# trigger: 0", "# pretrigger: 20", "# rate: 3", "# signal: 0",
                               "# level: 2000", "# cycle time ms: 0", "# comment: "})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(header))) << header;
    const qsizetype columns =
        lines.indexOf(QStringLiteral("position,red,green,blue,digital0,digital1,digital2"));
    ASSERT_EQ(columns, 10);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(lines[columns + 1 + i], QString(printed[i]).replace('\t', ',')) << i;

    // A directory cannot take the file: the scan is still printed.
    const CliRun failed = cli(scan + QStringList{"-o", dir.path()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out.split('\n', Qt::SkipEmptyParts).size(), 128);
    EXPECT_TRUE(failed.err.contains("File could not be saved!")) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains(dir.path())) << failed.err.toStdString();
}

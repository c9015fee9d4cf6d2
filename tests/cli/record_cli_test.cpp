// The record command as scripts run it: tavrino-cli against tavrino-sim,
// both as processes, with the record file, stdout, stderr and exit status
// checked, and a SIGINT in the middle of a triggered recording.

#include "cli_runner.h"
#include "support/build_paths.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <memory>

#include <sys/stat.h>

namespace {

using cli_test::cli;
using cli_test::CliRun;
using cli_test::fileBytes;
using cli_test::Simulator;

// The record lines after the heading line.
QList<QByteArray> recordLines(const QByteArray& file) {
    const qsizetype start = file.indexOf("TEMP\r\n");
    QList<QByteArray> lines = file.mid(start < 0 ? 0 : start + 6).split('\n');
    lines.removeAll(QByteArray());
    return lines;
}

// Date, time, X Y Z, four "%f" values, colour number, temperature; CR LF.
bool wholeLine(const QByteArray& line) {
    static const QRegularExpression shape(
        QStringLiteral("^\\d\\d-\\d\\d-\\d{4}\\t\\d\\d:\\d\\d:\\d\\d(\\t-?\\d+){3}(\\t-?\\d+\\.\\d{6}){4}("
                       "\\t-?\\d+){2}\\r$"));
    return shape.match(QString::fromLatin1(line)).hasMatch();
}

class RecordCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = dir.filePath("R.dat");
    QString log = dir.filePath("sim.log");
    std::unique_ptr<Simulator> sim;

    void start(const QStringList& extra = {}) {
        sim = std::make_unique<Simulator>(extra, log);
        ASSERT_FALSE(sim->tcp().isEmpty()) << "tavrino-sim did not name its endpoint";
    }

    CliRun record(const QStringList& args) const {
        return cli(QStringList{"--tcp", sim->tcp(), "record", "-o", file} + args);
    }

    void writeFile(const QByteArray& bytes) const { ASSERT_TRUE(cli_test::writeFile(file, bytes)); }
};

constexpr const char* kSaved = "File has been saved!\n";

TEST_F(RecordCliTest, ValuesWriteTheHeaderAndTheirLinesWithNothingOnStdout) {
    start();
    const CliRun r = record({"-n", "3", "--interval", "0.1", "--color-space", "1", "--panel-id", "Line 3"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("raised to 0.25")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith(kSaved)) << r.err.toStdString();
    const QByteArray bytes = fileBytes(file);
    EXPECT_TRUE(
        bytes.startsWith("\nRecord results of: TAVRINO4 VXR QLM Scope V3.2\r\nPanel ID: Line 3\r\n\r\n"
                         "DATE\tTIME\tX\tY\tZ\ta*\tb*\tL*\tdelta E\tCOLOR\tTEMP\r\n"))
        << bytes.toStdString();
    const auto lines = recordLines(bytes);
    ASSERT_EQ(lines.size(), 3);
    for (const QByteArray& line : lines)
        EXPECT_TRUE(wholeLine(line)) << line.toStdString();
}

TEST_F(RecordCliTest, AnExistingFileIsEmptiedOnlyWithYesAndAddedToOnlyWithAppend) {
    start();
    // Without --color-space the headings are those of the sensor's RAM (xyY).
    const QByteArray header = "\nRecord results of: TAVRINO4 VXR QLM Scope V3.2\r\n\r\n"
                              "DATE\tTIME\tX\tY\tZ\tx\ty\tY:100\tdelta E\tCOLOR\tTEMP\r\n";
    const QByteArray old = "old\r\n";
    struct Case {
        QStringList flags;
        int status;
        QByteArray startsWith;
        int lines;
    };
    const Case cases[] = {
        {{}, 1, old, 0},
        {{"--append"}, 0, old, 1},
        {{"--yes"}, 0, header, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags.join(' ').toStdString());
        writeFile(old);
        const CliRun r = record(c.flags);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        const QByteArray bytes = fileBytes(file);
        EXPECT_TRUE(bytes.startsWith(c.startsWith)) << bytes.toStdString();
        EXPECT_EQ(bytes.count("\r\n") - c.startsWith.count("\r\n"), c.lines);
    }
}

TEST_F(RecordCliTest, AFileThatCannotTakeLinesIsRefusedAtOnceAndLeftAsItWas) {
    start();
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    writeFile("old\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
    struct Case {
        QString path;
        QString flag;
    };
    const Case cases[] = {{fifo, "--append"}, {fifo, "--yes"}, {file, "--yes"}, {file, "--append"}};
    for (const Case& c : cases) {
        SCOPED_TRACE((c.path + " " + c.flag).toStdString());
        const CliRun r =
            cli({"--tcp", sim->tcp(), "record", "-o", c.path, c.flag, "-n", "1", "--color-space", "0"});
        EXPECT_EQ(r.status, 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("File could not be saved!\n" + c.path + "\n")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(kSaved)) << r.err.toStdString();
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo.toStdString()));
    EXPECT_EQ(fileBytes(file), "old\r\n");
}

TEST_F(RecordCliTest, UsageErrorsExitWithTwoAndTouchNoFile) {
    start();
    const QStringList cases[] = {
        {"--append", "--yes"}, {"--color-space", "5"}, {"-n", "0"},         {"--mode", "sometimes"},
        {"-n", "70000"},       {"--interval", "nan"},  {"--interval", "x"}, {"--panel-id", QString(101, 'p')},
    };
    for (const QStringList& args : cases) {
        const CliRun r = record(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString() << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(RecordCliTest, AFailureEndsWithOneIsReportedOnceAndTheEndTellsWhatTheFileGot) {
    struct Case {
        const char* fault;
        bool serial;
        QStringList mode;
        QString report;
        int lines;
        bool saved; // all lines the run asked for are in the file
    };
    const QString invalidOrder = "Invalid order number! \nVerify PC and sensor software!\n\n";
    const Case cases[] = {
        // The start refused, and the stop sent after it refused as well.
        {"error-reply:30:1", false, {"--mode", "triggered", "-n", "3"}, invalidOrder, 0, false},
        // Every line recorded, but the sensor did not take the stop.
        {"port-error:1", true, {"--mode", "triggered", "-n", "3"}, "TIMEOUT! \n", 3, true},
        {"disconnect:3",
         false,
         {"-n", "5", "--interval", "0.25"},
         "Server has closed connection!\n",
         3,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        sim.reset();
        start({"--stream-rate", "100", "--fault", c.fault});
        const QStringList endpoint =
            c.serial ? QStringList{"--serial", sim->pty()} : QStringList{"--tcp", sim->tcp()};
        const CliRun r =
            cli(endpoint + QStringList{"record", "-o", file, "--yes", "--color-space", "0"} + c.mode);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.count(c.report), 1) << r.err.toStdString();
        const QString told = c.saved
                                 ? QString(kSaved)
                                 : QString("%1 record line(s) have been written to the record file:\n%2\n")
                                       .arg(c.lines)
                                       .arg(file);
        EXPECT_TRUE(r.err.endsWith(told)) << r.err.toStdString();
        const auto lines = recordLines(fileBytes(file));
        ASSERT_EQ(lines.size(), c.lines);
        for (const QByteArray& line : lines)
            EXPECT_TRUE(wholeLine(line)) << line.toStdString();
    }
}

// Frames the simulator sent before it received the stop of the automatic
// sending, and whether it received that stop.
struct StreamLog {
    int framesBeforeStop = 0;
    bool stopped = false;
};
StreamLog readStreamLog(const QString& path) {
    StreamLog s;
    for (const QByteArray& line : fileBytes(path).split('\n')) {
        if (line.contains("rx 55 1E 00 00"))
            s.stopped = true;
        else if (line.contains("tx 55 08") && !s.stopped)
            ++s.framesBeforeStop;
    }
    return s;
}

TEST_F(RecordCliTest, TriggeredEndsByItsCountOrBySigintAndAlwaysStopsTheSensor) {
    start({"--stream-rate", "100"});
    CliRun r = record({"--mode", "triggered", "-n", "4", "--color-space", "0"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(recordLines(fileBytes(file)).size(), 4);
    EXPECT_TRUE(readStreamLog(log).stopped);

    // A new simulator (and log) for the interrupted run.
    sim.reset();
    start({"--stream-rate", "100"});
    QProcess p;
    p.start(QString::fromUtf8(tavrino::test::cliProgram()),
            QStringList{"--tcp", sim->tcp(), "record", "-o", file, "--yes", "--mode", "triggered",
                        "--color-space", "0"});
    ASSERT_TRUE(p.waitForStarted(5000));
    const QDeadlineTimer deadline(20000);
    while (recordLines(fileBytes(file)).size() < 10 && !deadline.hasExpired())
        p.waitForFinished(20); // the recording runs on; this only paces the look at the file
    ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).endsWith(kSaved));
    const auto lines = recordLines(fileBytes(file));
    for (const QByteArray& line : lines)
        EXPECT_TRUE(wholeLine(line)) << line.toStdString();
    const StreamLog s = readStreamLog(log);
    EXPECT_TRUE(s.stopped);
    // The recording ends with the interrupt: frames still on their way when
    // the sensor took the stop are not recorded.
    EXPECT_GE(lines.size(), 10);
    EXPECT_LE(lines.size(), s.framesBeforeStop);
}

} // namespace

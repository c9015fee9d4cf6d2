#pragma once

// tavrino-sim and tavrino-cli as child processes, run the way a script runs
// them; build_paths.h names the build tree's executables.

#include "support/build_paths.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace cli_test {

// tavrino-sim with a TCP port of its own and a pseudo-terminal; its first
// stdout line names both endpoints. With a log file the simulator logs
// every exchange (--verbose) into it.
class Simulator {
public:
    explicit Simulator(const QStringList& extra = {}, const QString& logFile = {}) {
        QStringList args{"--tcp", "127.0.0.1:0", "--pty", "--seed", "7"};
        if (!logFile.isEmpty()) {
            args << "--verbose";
            process_.setStandardErrorFile(logFile);
        }
        process_.setProgram(QString::fromUtf8(tavrino::test::simProgram()));
        process_.setArguments(args + extra);
        process_.start();
        readEndpoints();
    }
    ~Simulator() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Empty when the simulator did not start or did not name it in time.
    [[nodiscard]] const QString& tcp() const { return tcp_; }
    [[nodiscard]] const QString& pty() const { return pty_; }

private:
    void readEndpoints() {
        if (!process_.waitForStarted(5000))
            return;
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000))
                return;
        const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
        tcp_ = QRegularExpression(QStringLiteral("tcp (\\S+)")).match(line).captured(1);
        pty_ = QRegularExpression(QStringLiteral("pty (\\S+)")).match(line).captured(1);
    }

    QProcess process_;
    QString tcp_;
    QString pty_;
};

// One finished run of tavrino-cli; status -1 when it crashed or hung.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(QString::fromUtf8(tavrino::test::cliProgram()), args);
    CliRun r;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Empty when the file cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether the whole of bytes went into the file.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

} // namespace cli_test

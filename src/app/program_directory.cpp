#include "app/program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavrino::app {

namespace {

std::string native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

std::string installedDataDirectoryOf(const std::string& executableDir) {
    if (executableDir.empty())
        return {};
    const QDir bin(QString::fromStdString(executableDir));
    const QString shared = QDir::cleanPath(bin.filePath(QStringLiteral("../share/tavrino-scope")));
    return QFileInfo(shared).isDir() ? native(shared) : std::string();
}

std::string programDirectoryFor(const std::optional<std::string>& dataDir) {
    if (dataDir && !dataDir->empty())
        return native(QString::fromStdString(*dataDir));
    const QString executableDir = QCoreApplication::applicationDirPath();
    // An installed program's directory is the system's, whoever may write
    // there (root can write to /usr/bin): settings belong to the user.
    const bool installed = !installedDataDirectoryOf(executableDir.toStdString()).empty();
    if (!executableDir.isEmpty() && !installed && QFileInfo(executableDir).isWritable())
        return native(executableDir);
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(appData);
    return native(appData);
}

std::string pictureDirectory() {
    const std::string executableDir = QCoreApplication::applicationDirPath().toStdString();
    const std::string shared = installedDataDirectoryOf(executableDir);
    return shared.empty() ? native(QString::fromStdString(executableDir)) : shared;
}

} // namespace tavrino::app

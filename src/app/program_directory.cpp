#include "app/program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavrino::app {

std::string programDirectoryFor(const std::optional<std::string>& dataDir) {
    if (dataDir && !dataDir->empty())
        return QDir::toNativeSeparators(QString::fromStdString(*dataDir)).toStdString();
    const QString executableDir = QCoreApplication::applicationDirPath();
    if (!executableDir.isEmpty() && QFileInfo(executableDir).isWritable())
        return QDir::toNativeSeparators(executableDir).toStdString();
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(appData);
    return QDir::toNativeSeparators(appData).toStdString();
}

} // namespace tavrino::app

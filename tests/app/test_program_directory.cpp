#include "app/program_directory.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <string>

namespace tavrino::app {
namespace {

// An installed program finds its pictures in share/tavrino-scope beside its
// bin; a program in its build tree has no such directory and keeps to its
// own one.
TEST(ProgramDirectory, InstalledLayoutIsRecognisedFromTheExecutablesDirectory) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("usr/share/tavrino-scope")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("build/bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("other/bin")));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("other/share/something-else")));

    struct Case {
        QString executableDir;
        QString expected;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("usr/bin")), dir.filePath(QStringLiteral("usr/share/tavrino-scope"))},
        {dir.filePath(QStringLiteral("build/bin")), QString()},
        {dir.filePath(QStringLiteral("other/bin")), QString()},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        const std::string found = installedDataDirectoryOf(c.executableDir.toStdString());
        EXPECT_EQ(found, QDir::toNativeSeparators(c.expected).toStdString()) << c.executableDir.toStdString();
    }
}

// --data-dir wins over every default.
TEST(ProgramDirectory, DataDirOptionOverrides) {
    EXPECT_EQ(programDirectoryFor(std::string("/some/where")),
              QDir::toNativeSeparators("/some/where").toStdString());
}

} // namespace
} // namespace tavrino::app

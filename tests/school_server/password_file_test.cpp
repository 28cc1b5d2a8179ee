// libpq's password file as the records window leaves it: owner-only, one
// line per server and user (a new password replaces the old), fields escaped.
#include "school_server/password_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvel::school;

TEST(PasswordFile, KeepsOneOwnerOnlyLinePerServerAndUser)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("pgpass");
    qputenv("PGPASSFILE", path.toLocal8Bit());
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("other.example:5432:*:admin:secret\n");
    other.close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

    EXPECT_EQ(keepPassword("db.school", 0, "school", "s01", "first"), "");
    EXPECT_EQ(keepPassword("db.school", 0, "school", "s01", "a:b\\c"), "");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "other.example:5432:*:admin:secret\ndb.school:*:school:s01:a\\:b\\\\c\n");
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther), 0);
    qunsetenv("PGPASSFILE");
}

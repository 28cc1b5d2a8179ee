// Writing libpq's password file: fields escaped as libpq reads them (\: and
// \\), the file replaced whole, owner-only before anything is written to it.
#include "school_server/password_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace zorvel::school {

namespace {

QString escaped(QString field)
{
    return field.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char(':'), QStringLiteral("\\:"));
}

} // namespace

QString passwordFilePath()
{
    const QString set = qEnvironmentVariable("PGPASSFILE");
    return set.isEmpty() ? QDir::home().filePath(QStringLiteral(".pgpass")) : set;
}

QString keepPassword(const QString& host, int port, const QString& database, const QString& user,
                     const QString& password)
{
    const QString key = QStringList{escaped(host.isEmpty() ? QStringLiteral("*") : host),
                                    port ? QString::number(port) : QStringLiteral("*"), escaped(database),
                                    escaped(user)}
                            .join(QLatin1Char(':')) +
                        QLatin1Char(':');
    const QString path = passwordFilePath();
    QStringList lines;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(old.readAll()).split(QLatin1Char('\n')))
            if (!line.isEmpty() && !line.startsWith(key))
                lines << line;
    old.close();
    lines << key + escaped(password);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return QStringLiteral("密码文件 %1 写不了").arg(path);
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    if (!file.commit())
        return QStringLiteral("密码文件 %1 写不了").arg(path);
    return {};
}

} // namespace zorvel::school

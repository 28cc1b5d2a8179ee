// The record's files: made private, and moved aside all together.
#include "records/record_files.h"

#include "platform/private_files.h"
#include "records/sql_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace zorvel::records {

namespace {

const char* const kCompanions[] = {"-wal", "-shm", "-journal"};

} // namespace

bool makeRecordFilesPrivate(const QString& path)
{
    const QFileInfo record(path);
    const QString folder = record.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(QFileInfo(folder).absolutePath()) || !makePrivateFolder(folder))
            return false;
    } else {
        // A folder reached through a link of the user's own is tightened where it lies.
        closeToOthers(QFileInfo(folder).canonicalFilePath());
    }
    makePrivateFile(path);
    for (const char* suffix : kCompanions)
        closeToOthers(path + QLatin1String(suffix));
    const QDir dir(folder);
    const QDir::Filters all = QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System;
    for (const QString& name : dir.entryList({record.fileName() + QStringLiteral(".*")}, all))
        closeToOthers(dir.filePath(name));
    return true;
}

void refuseLinkedRecordFiles(const QString& path)
{
    QStringList names = {QFileInfo(path).absolutePath(), path, sessionFolder(path), path + QStringLiteral(".check")};
    for (const QString& base : {path, path + QStringLiteral(".mending")})
        for (const char* suffix : kCompanions)
            names << base + QLatin1String(suffix);
    names << path + QStringLiteral(".mending");
    for (const QString& name : names)
        if (QFileInfo(name).isSymLink())
            throw SqlFailure(Failure::Unsafe,
                             QStringLiteral("学习记录的“%1”是一个符号链接（不是本程序建立的），为了不改动它指向的文件，"
                                            "学习记录没有打开，这次的练习不会被记录；请删除这个链接后重新启动程序。")
                                 .arg(name));
}

QString sessionFolder(const QString& path)
{
    return path + QStringLiteral(".sessions");
}

bool renameFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString moveRecordAside(const QString& path, const QString& stamp, const RenameFunction& rename)
{
    const auto taken = [](const QString& name) {
        return QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal"))
               || QFileInfo::exists(name + QStringLiteral("-shm"));
    };
    QString aside = path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; taken(aside); ++n)
        aside = path + QStringLiteral(".broken-%1-%2").arg(stamp).arg(n);
    // The log first: a record moved without its log would lose the log's
    // tests, and a new record beside an old log would be mixed with it.
    std::vector<QString> moved;
    for (const QString& suffix : {QStringLiteral("-wal"), QStringLiteral("-shm"), QString()}) {
        if (!QFileInfo::exists(path + suffix))
            continue;
        if (!rename(path + suffix, aside + suffix)) {
            for (auto back = moved.rbegin(); back != moved.rend(); ++back)
                rename(aside + *back, path + *back);
            return {};
        }
        moved.push_back(suffix);
    }
    for (const QString& suffix : moved)
        closeToOthers(aside + suffix);
    return QFileInfo(aside).fileName();
}

} // namespace zorvel::records

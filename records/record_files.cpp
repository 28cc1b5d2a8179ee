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
    QStringList names = {QFileInfo(path).absolutePath(), path, sessionFolder(path), path + QStringLiteral(".check"),
                         path + QStringLiteral(".unwritten"),
                         path + QStringLiteral(".replacing")};
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

namespace {

QString journalOf(const QString& path)
{
    return path + QStringLiteral(".replacing");
}

QString mendingOf(const QString& path)
{
    return path + QStringLiteral(".mending");
}

QString asideName(const QString& path, const QString& stamp)
{
    const auto taken = [](const QString& name) {
        return QFileInfo::exists(name) || QFileInfo::exists(name + QStringLiteral("-wal"))
               || QFileInfo::exists(name + QStringLiteral("-shm"));
    };
    QString aside = path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; taken(aside); ++n)
        aside = path + QStringLiteral(".broken-%1-%2").arg(stamp).arg(n);
    return aside;
}

const QString kSuffixes[] = {QStringLiteral("-wal"), QStringLiteral("-shm"), QString()};

// The log first: a record moved without its log would lose the log's tests,
// and a new record beside an old log would be mixed with it.
bool moveAside(const QString& path, const QString& aside, const RenameFunction& rename, const StepHook& step)
{
    std::vector<QString> moved;
    for (const QString& suffix : kSuffixes) {
        if (!QFileInfo::exists(path + suffix))
            continue;
        if (!rename(path + suffix, aside + suffix)) {
            for (auto back = moved.rbegin(); back != moved.rend(); ++back)
                rename(aside + *back, path + *back);
            return false;
        }
        moved.push_back(suffix);
        if (step)
            step();
    }
    for (const QString& suffix : moved)
        closeToOthers(aside + suffix);
    return true;
}

} // namespace

QString moveRecordAside(const QString& path, const QString& stamp, const RenameFunction& rename, const StepHook& step)
{
    const QString aside = asideName(path, stamp);
    return moveAside(path, aside, rename, step) ? QFileInfo(aside).fileName() : QString();
}

QString replaceRecord(const QString& path, const QString& stamp, bool withCopy, const RenameFunction& rename,
                      const StepHook& step)
{
    const QString aside = asideName(path, stamp);
    const QString journal = journalOf(path);
    QFile::remove(journal);
    if (!makePrivateFile(journal)
        || !appendToRegularFile(journal, (QFileInfo(aside).fileName() + (withCopy ? "\ncopy\nend\n" : "\nnew\nend\n")).toUtf8()))
        return {};
    if (step)
        step();
    if (!moveAside(path, aside, rename, step)) {
        QFile::remove(journal);
        return {};
    }
    if (withCopy && rename(mendingOf(path), path) && step)
        step();
    QFile::remove(journal);
    return QFileInfo(aside).fileName();
}

// Every step again where it is not done yet: the files still at the
// record's name go aside (never over one already there), then the copy
// takes the record's place. A journal not written to its end was stopped
// before any file moved.
QString finishReplacement(const QString& path, const RenameFunction& rename)
{
    const QString journal = journalOf(path);
    const std::optional<QByteArray> text = readRegularFile(journal);
    if (!text)
        return {};
    const QStringList lines = QString::fromUtf8(*text).split(QLatin1Char('\n'));
    QString aside;
    if (lines.size() >= 3 && lines[2] == QLatin1String("end") && !lines[0].contains(QLatin1Char('/'))) {
        aside = QFileInfo(path).absoluteDir().filePath(lines[0]);
        for (const QString& suffix : kSuffixes)
            if (QFileInfo::exists(path + suffix) && !QFileInfo::exists(aside + suffix))
                rename(path + suffix, aside + suffix);
        if (lines[1] == QLatin1String("copy") && !QFileInfo::exists(path))
            rename(mendingOf(path), path);
    }
    QFile::remove(journal);
    return aside.isEmpty() ? QString() : QFileInfo(aside).fileName();
}

} // namespace zorvel::records

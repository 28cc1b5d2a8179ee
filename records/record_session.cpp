// Session locks: one file per running copy in the record's .sessions folder.
#include "records/record_session.h"

#include "records/record_files.h"
#include "records/sql_support.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QUuid>

namespace zorvel::records {

namespace {

void interruptTestsOf(const QSqlDatabase& db, const QVariant& session)
{
    run(db, QStringLiteral("UPDATE tests SET ended = 'interrupted' WHERE ended IS NULL AND session IS ?"), {session});
}

} // namespace

RecordSession::RecordSession(const QString& recordPath)
    : folder_(sessionFolder(recordPath)), id_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

QString RecordSession::lockPath(const QString& session) const
{
    return QDir(folder_).filePath(session);
}

bool RecordSession::begin()
{
    return makePrivateFolder(folder_) && lock_.tryLock(lockPath(id_), QByteArray("zorvel\n")) == FileLock::Result::Held;
}

void RecordSession::closeTestsOfEndedCopies(const QSqlDatabase& db)
{
    QSet<QString> sessions;
    QSqlQuery running = run(db, QStringLiteral("SELECT DISTINCT session FROM tests WHERE ended IS NULL"));
    bool unnamed = false;  // tests of an older version, which had no sessions
    while (nextRow(running)) {
        if (running.value(0).isNull())
            unnamed = true;
        else
            sessions.insert(running.value(0).toString());
    }
    running.finish();
    if (unnamed)
        interruptTestsOf(db, QVariant());
    // Lock files without running tests are forgotten too, once they are old
    // enough not to belong to a copy that is just starting.
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& file : QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (file.lastModified().toUTC() < settled)
            sessions.insert(file.fileName());
    sessions.remove(id_);
    for (const QString& session : sessions) {
        if (QUuid::fromString(session).isNull())
            continue;
        FileLock gone;
        if (gone.tryLock(lockPath(session), QByteArray()) != FileLock::Result::Held)
            continue;  // still running (or its lock cannot be judged): leave its tests alone
        interruptTestsOf(db, session);
        QFile::remove(lockPath(session));
    }
}

bool RecordSession::othersRunning() const
{
    for (const QString& session : QDir(folder_).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (session == id_ || QUuid::fromString(session).isNull())
            continue;
        FileLock probe;
        if (probe.tryLock(lockPath(session), QByteArray()) == FileLock::Result::HeldByAnother)
            return true;
    }
    return false;
}

void RecordSession::closeOwnTests(const QSqlDatabase& db)
{
    interruptTestsOf(db, id_);
}

void RecordSession::release()
{
    if (lock_.held()) {
        QFile::remove(lockPath(id_));
        lock_.unlock();
    }
}

} // namespace zorvel::records

// The single-instance rule over the platform's file lock; the holder writes
// its process id into the file for people and tests to read.
#include "shell/single_instance.h"

#include "shell/user_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

#include <utility>

namespace zorvel {

QString instanceLockPath()
{
    const QDir home = QDir::home();
    const QString folder = privateFolderUnder({home.filePath(QStringLiteral(".cache")),
                                               home.filePath(QStringLiteral(".local/share"))},
                                              QStringLiteral("zorvel"));
    if (folder.isEmpty())
        return {};
    QString host = QSysInfo::machineHostName();
    for (QChar& c : host)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return QDir(folder).filePath(host.isEmpty() ? QStringLiteral("zorvel.lock")
                                                : QStringLiteral("zorvel-%1.lock").arg(host));
}

SingleInstance::SingleInstance(QString lockFilePath)
    : lockFilePath_(std::move(lockFilePath))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire()
{
    if (lockFilePath_.isEmpty())
        return true;
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    return lock_.tryLock(lockFilePath_, owner) != FileLock::Result::HeldByAnother;
}

void SingleInstance::release()
{
    lock_.unlock();
}

} // namespace zorvel

// The single-instance rule over the platform's file lock; the holder writes
// its process id into the file for people and tests to read.
#include "shell/single_instance.h"

#include <QCoreApplication>

#include <utility>

namespace zorvel {

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

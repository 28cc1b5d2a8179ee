// QLockFile holding the per-user lock; a lock whose process is gone counts as
// stale and is taken over, while a live owner keeps it however old it is.
#include "shell/single_instance.h"

#include <utility>

namespace zorvel {

SingleInstance::SingleInstance(QString lockFilePath)
    : lockFilePath_(std::move(lockFilePath))
{
}

bool SingleInstance::tryAcquire()
{
    if (lock_ && lock_->isLocked())
        return true;
    if (lockFilePath_.isEmpty())
        return true;
    lock_ = std::make_unique<QLockFile>(lockFilePath_);
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    return lock_->error() != QLockFile::LockFailedError;
}

void SingleInstance::release()
{
    if (lock_)
        lock_->unlock();
    lock_.reset();
}

} // namespace zorvel

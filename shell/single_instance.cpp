// flock() on the per-user lock file; the holder writes its process id into the
// file for people and tests to read. The file is never removed, so that two
// starts can never each lock a file of their own.
#include "shell/single_instance.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

namespace zorvel {

SingleInstance::SingleInstance(QString lockFilePath)
    : lockFilePath_(std::move(lockFilePath))
{
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryAcquire()
{
    if (fd_ >= 0 || lockFilePath_.isEmpty())
        return true;
    const QByteArray path = QFile::encodeName(lockFilePath_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldByAnother;
    }
    fd_ = fd;
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (::ftruncate(fd_, 0) == 0) {
        const ssize_t written = ::write(fd_, owner.constData(), static_cast<size_t>(owner.size()));
        Q_UNUSED(written);
    }
    return true;
}

void SingleInstance::release()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
}

} // namespace zorvel

// The POSIX side of handed_over_files.h: O_NOFOLLOW and O_NONBLOCK on the
// open of a handed-over file, fstat() before trusting it; mkdtemp() for the
// scratch folders and flock() on a file inside each to mark a living owner.
#include "platform/handed_over_files.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvel {
namespace {

constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
const char kOwnerLock[] = "owner.lock";
// A folder without its lock is one being made, or one whose maker died
// before it took the lock: the latter are removed once this old.
constexpr time_t kUnlockedAge = 600;

// The handed-over file opened for reading, or why not.
int openHandedOver(const QByteArray& path, HandedOverCopy* outcome)
{
    int fd = ::open(path.constData(), kReadFlags | O_NOFOLLOW);
    bool throughLink = false;
    if (fd < 0 && errno == ELOOP) {
        throughLink = true;
        fd = ::open(path.constData(), kReadFlags);
    }
    if (fd < 0) {
        *outcome = errno == ENOENT ? HandedOverCopy::Missing : HandedOverCopy::Failed;
        return -1;
    }
    struct stat info {};
    *outcome = HandedOverCopy::Copied;
    if (::fstat(fd, &info) != 0)
        *outcome = HandedOverCopy::Failed;
    else if (S_ISFIFO(info.st_mode))
        *outcome = HandedOverCopy::Fifo;
    else if (!S_ISREG(info.st_mode))
        *outcome = HandedOverCopy::NotRegular;
    else if (throughLink && info.st_uid != ::geteuid())
        *outcome = HandedOverCopy::ForeignLink;
    if (*outcome == HandedOverCopy::Copied)
        return fd;
    ::close(fd);
    return -1;
}

bool copyAll(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
    }
}

// Whether the folder is one of this account's own, reached without a link.
bool ownFolder(const QByteArray& path, struct stat* info)
{
    return ::lstat(path.constData(), info) == 0 && S_ISDIR(info->st_mode) && info->st_uid == ::geteuid();
}

// Whether the owner of the scratch folder has ended: its lock is free, or
// it never took one and the folder is old.
bool abandoned(const QByteArray& folder, const struct stat& info)
{
    const int fd = ::open((folder + '/' + kOwnerLock).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT && std::time(nullptr) - info.st_mtime > kUnlockedAge;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

} // namespace

HandedOverCopy copyHandedOverFile(const QString& from, const QString& to)
{
    HandedOverCopy outcome = HandedOverCopy::Failed;
    const int source = openHandedOver(QFile::encodeName(from), &outcome);
    if (source < 0)
        return outcome;
    const QByteArray target = QFile::encodeName(to);
    const int copy = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    bool copied = copy >= 0 && copyAll(source, copy);
    if (copy >= 0)
        copied = ::close(copy) == 0 && copied;
    ::close(source);
    if (!copied && copy >= 0)
        ::unlink(target.constData());
    return copied ? HandedOverCopy::Copied : HandedOverCopy::Failed;
}

ScratchFolder::ScratchFolder(const QString& prefix)
{
    QByteArray pattern = QFile::encodeName(QDir::temp().filePath(prefix)) + "XXXXXX";
    if (!::mkdtemp(pattern.data()))
        return;
    lock_ = ::open((pattern + '/' + kOwnerLock).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        QDir(QFile::decodeName(pattern)).removeRecursively();
        return;
    }
    path_ = QFile::decodeName(pattern);
}

ScratchFolder::~ScratchFolder()
{
    if (!isValid())
        return;
    QDir(path_).removeRecursively();
    ::close(lock_);
}

int ScratchFolder::removeAbandoned(const QString& prefix)
{
    const QDir temp = QDir::temp();
    int removed = 0;
    for (const QString& name : temp.entryList({prefix + QStringLiteral("*")}, QDir::Dirs | QDir::Hidden | QDir::System)) {
        const QByteArray folder = QFile::encodeName(temp.filePath(name));
        struct stat info {};
        if (ownFolder(folder, &info) && abandoned(folder, info) && QDir(QFile::decodeName(folder)).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace zorvel

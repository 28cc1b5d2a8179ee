// The POSIX side of the platform headers: for private_files.h, O_NOFOLLOW and
// O_NONBLOCK on every open, fstat() before trusting a file, rename() to
// replace one, flock() to lock; for process_exit.h, _Exit(); for
// detached_program.h, posix_spawn() and a thread that reaps the child.
#include "platform/detached_program.h"
#include "platform/private_files.h"
#include "platform/process_exit.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

#if defined(__SANITIZE_ADDRESS__)
#define ZORVEL_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORVEL_LEAK_CHECK 1
#endif
#endif
#ifdef ZORVEL_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace zorvel {
namespace {

constexpr int kNoFollow = O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;

// Opens without following a link or waiting, and keeps the descriptor only
// when it is a regular file.
int openRegular(const QString& path, int flags, mode_t mode = 0)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | kNoFollow, mode);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool makePrivateFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(native.constData(), 0700) == 0;
}

bool closeToOthers(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISLNK(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(native.constData(), info.st_mode & 07700) == 0;
}

quint64 fileIdentity(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return (quint64(info.st_dev) << 40) ^ quint64(info.st_ino);
}

bool makePrivateFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | kNoFollow, 0600);
    if (fd >= 0)
        return ::close(fd) == 0;
    return errno == EEXIST && closeToOthers(path);
}

std::optional<QByteArray> readRegularFile(const QString& path)
{
    const int fd = openRegular(path, O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    std::optional<QByteArray> content;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        content = file.readAll();
    else
        ::close(fd);
    return content;
}

bool replaceFile(const QString& path, const QByteArray& content)
{
    const QFileInfo target(path);
    const QString temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName()
        + QStringLiteral(".%1.new").arg(::getpid());
    const QByteArray nativeTemporary = QFile::encodeName(temporary);
    ::unlink(nativeTemporary.constData());
    const int fd = openRegular(temporary, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, content);
    if (::close(fd) != 0 || !written
        || std::rename(nativeTemporary.constData(), QFile::encodeName(path).constData()) != 0) {
        ::unlink(nativeTemporary.constData());
        return false;
    }
    return true;
}

bool appendToRegularFile(const QString& path, const QByteArray& bytes)
{
    const int fd = openRegular(path, O_WRONLY | O_APPEND | O_CREAT, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes);
    return ::close(fd) == 0 && written;
}

FileLock::~FileLock()
{
    unlock();
}

FileLock::Result FileLock::tryLock(const QString& path, const QByteArray& note)
{
    if (held())
        return Result::Held;
    const int fd = openRegular(path, O_RDWR | O_CREAT, 0600);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return heldByAnother ? Result::HeldByAnother : Result::Unavailable;
    }
    handle_ = fd;
    if (::ftruncate(fd, 0) == 0)
        writeAll(fd, note);
    return Result::Held;
}

void FileLock::unlock()
{
    if (handle_ < 0)
        return;
    ::close(handle_);
    handle_ = -1;
}

void endProcessNow(int status)
{
#ifdef ZORVEL_LEAK_CHECK
    // _Exit skips the leak check a sanitizer build runs at exit.
    __lsan_do_leak_check();
#endif
    std::fflush(nullptr);
    std::_Exit(status);
}

bool startDetachedProgram(const QByteArray& program, const QList<QByteArray>& arguments,
                          std::function<void(bool succeeded)> ended)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.constData()));
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    // The child starts with no signal blocked and SIGPIPE at its default,
    // whatever this process set, in a session of its own.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes, &signalSet);
    sigaddset(&signalSet, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signalSet);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    // Whatever it says goes nowhere: its complaints are not the user's
    // terminal's business, its outcome is reported instead.
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&files, fd, "/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY, 0);
    pid_t child = 0;
    const int error = ::posix_spawnp(&child, program.constData(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return false;
    std::thread([child, ended = std::move(ended)] {
        int status = 0;
        pid_t reaped = -1;
        while ((reaped = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
        }
        if (ended)
            ended(reaped == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }).detach();
    return true;
}

} // namespace zorvel

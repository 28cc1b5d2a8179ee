// Files and folders private to the user, handled so that nothing planted in
// them (a symbolic link, a FIFO, another user's folder) is followed, waited on
// or written through; and the advisory file lock of the single-instance rule.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvel {

// Makes `path` a folder only this user can use, or accepts it when it is one
// already (access opened to others is closed again). Refused: a link, not a
// folder, or a folder that belongs to another user.
bool makePrivateFolder(const QString& path);

// Takes the access of the group and of others away from an existing file or
// folder of this user (a link is refused and never followed; a file that is
// not there is fine). The user's own bits are kept: a folder left read-only
// stays read-only.
bool closeToOthers(const QString& path);

// What names the file at `path` itself (device and inode, not followed
// through a link): it changes when another file is renamed over it. 0 when
// nothing is there.
quint64 fileIdentity(const QString& path);

// Makes an empty regular file only this user can read and write, unless
// something is there already (then only closeToOthers()).
bool makePrivateFile(const QString& path);

// The content of a regular file, read without following a link and without
// waiting on a FIFO or a device; nothing for anything else.
std::optional<QByteArray> readRegularFile(const QString& path);

// Writes `content` to a new file beside `path` and renames it over `path`:
// a link at `path` is replaced, never followed.
bool replaceFile(const QString& path, const QByteArray& content);

// Appends to a regular file, made when missing. Never follows a link and
// never waits: a FIFO, a device or a link is refused.
bool appendToRegularFile(const QString& path, const QByteArray& bytes);

// An advisory lock on a file, which the system drops when the process ends
// however it ends. The file is never removed, so that two starts can never
// each lock a file of their own.
class FileLock {
public:
    enum class Result { Held, HeldByAnother, Unavailable };

    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock on `path` (made when missing, never through a link) and
    // writes `note` into the file for people to read.
    Result tryLock(const QString& path, const QByteArray& note);
    bool held() const { return handle_ >= 0; }
    void unlock();

private:
    int handle_ = -1;
};

} // namespace zorvel

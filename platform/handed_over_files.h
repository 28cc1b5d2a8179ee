// Files that someone else may have prepared (a pupil's record handed over on
// a USB key, a file named on the command line) and the private scratch
// folders their copies are read from. A copy is made without waiting on a
// FIFO or a device and without following a link to another account's file;
// a scratch folder lives as long as its object, and one left behind by a
// process that ended (killed mid-read) is removed by the next sweep.
#pragma once

#include <QString>

namespace zorvel {

enum class HandedOverCopy {
    Copied,
    Missing,      // nothing at that path
    NotRegular,   // a folder, a device, a socket
    Fifo,         // a named pipe: it would never end
    ForeignLink,  // a symbolic link to a file of another account
    Failed,       // unreadable, or the copy could not be written
};

// Copies the regular file `from` into the new file `to`, made 0600 and never
// through a link. A symbolic link at `from` is followed only to a regular
// file of this account.
HandedOverCopy copyHandedOverFile(const QString& from, const QString& to);

// A fresh folder in the temporary folder, named `prefix` and six random
// characters, that only this account can enter (0700); removed with all it
// holds when the object goes. While it lives it holds a lock that tells
// removeAbandoned() its owner still runs.
class ScratchFolder {
public:
    explicit ScratchFolder(const QString& prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool isValid() const { return !path_.isEmpty(); }
    QString filePath(const QString& name) const { return path_ + QLatin1Char('/') + name; }

    // Removes this account's folders of the prefix whose owner has ended
    // (their lock is free); the count removed.
    static int removeAbandoned(const QString& prefix);

private:
    QString path_;
    int lock_ = -1;
};

} // namespace zorvel

// The single-instance rule: one running copy per user. The lock is an advisory
// lock on a file, which the system drops when its process ends however it
// ends, so a copy that crashed never blocks the next start.
#pragma once

#include "platform/private_files.h"

#include <QString>

namespace zorvel {

// Where the lock lies: one place per account and computer, whatever the
// session's environment says (an su or ssh session has no XDG_RUNTIME_DIR,
// XDG_CACHE_HOME may differ between sessions): ~/.cache/zorvel, else
// ~/.local/share/zorvel, in a file named for the computer, so that one home
// folder shared by the computers of a lab lets each run its own copy. Empty
// when neither folder can be made private.
QString instanceLockPath();

class SingleInstance {
public:
    explicit SingleInstance(QString lockFilePath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy may run: it now holds the lock, or the lock could
    // not be made at all (no folder, no permission), which must not keep the
    // pupil from working. False only while another live copy holds it.
    bool tryAcquire();
    void release();

private:
    QString lockFilePath_;
    FileLock lock_;
};

} // namespace zorvel

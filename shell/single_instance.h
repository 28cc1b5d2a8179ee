// The single-instance rule: one running copy per user. A lock left by a copy
// that crashed never blocks the next start.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace zorvel {

class SingleInstance {
public:
    explicit SingleInstance(QString lockFilePath);

    // True when this copy may run: it now holds the lock, or the lock could
    // not be made at all (no folder, no permission), which must not keep the
    // pupil from working. False only while another live copy holds it.
    bool tryAcquire();
    void release();

private:
    QString lockFilePath_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace zorvel

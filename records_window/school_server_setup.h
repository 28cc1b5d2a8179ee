// What the records window's "学校服务器…" needs from outside: the school
// server a pupil's tests are sent to, trying a connection, keeping a choice
// (the password only in libpq's password file) and what still waits. shell/
// puts the real one here; tests a fake.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace zorvel::records {

struct SchoolServerChoice {
    QString service;  // a libpq service name; when set, the rest is not used
    QString host;
    int port = 0;     // 0: the default
    QString database;
    QString user;
    QString password;  // only on its way to the password file; never read back
};

class SchoolServerSetup {
public:
    virtual ~SchoolServerSetup() = default;
    // The server set for the pupil (its password empty), if any.
    virtual std::optional<SchoolServerChoice> choice(qint64 pupil) = 0;
    // One line: where the tests go and how many wait.
    virtual QString status(qint64 pupil) = 0;
    // Tries the connection; runs on a thread of its own (it may take
    // seconds). Empty when it works, else what failed, in Chinese.
    virtual QString tryConnection(const SchoolServerChoice& choice) = 0;
    // Keeps the choice and sends what waits; empty, or why it could not.
    virtual QString keep(qint64 pupil, const SchoolServerChoice& choice) = 0;
    virtual void forget(qint64 pupil) = 0;
};

} // namespace zorvel::records

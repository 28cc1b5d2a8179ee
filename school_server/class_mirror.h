// A teacher's copy of a class from the school server: what the teacher's
// login may read there (the database decides), copied into a local database
// of the record's layout, so that everything that reads records reads it
// too. Each refresh copies only what arrived since the one before; a test
// copied twice is kept once (its UUID).
#pragma once

#include <QSqlDatabase>

namespace zorvel::school {

struct MirrorRefresh {
    int tests = 0;        // new tests copied
    int factAnswers = 0;  // new daily-practice answers copied
};

// Brings local (a record layout, written here in one transaction) up to
// date with what server shows this login. Throws ServerFailure or
// records::SqlFailure.
MirrorRefresh refreshMirror(const QSqlDatabase& server, const QSqlDatabase& local);

// The server's pupils as the login sees them, by class then student number
// then name, with their class and student number.
struct ServerPupil {
    QString uuid;
    QString name;
    QString className;
    QString studentNumber;
};
std::vector<ServerPupil> serverPupils(const QSqlDatabase& server);

} // namespace zorvel::school

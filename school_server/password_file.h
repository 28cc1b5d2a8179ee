// libpq's password file (PGPASSFILE, else ~/.pgpass): the only place a
// pupil's machine keeps the server's password, readable by its owner only.
#pragma once

#include <QString>

namespace zorvel::school {

// The file libpq reads.
QString passwordFilePath();

// Puts "host:port:database:user:password" in the file, replacing the line
// for the same host, port, database and user, and makes the file 0600.
// Returns an empty string, or why it could not (in Chinese).
QString keepPassword(const QString& host, int port, const QString& database, const QString& user,
                     const QString& password);

} // namespace zorvel::school

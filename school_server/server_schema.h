// The school's database: the schema "zorvel" with the record's tables (UUID
// keys), its layout number and migrations, the group roles zorvel_pupil,
// zorvel_teacher and zorvel_admin, and row-level security that lets a pupil's
// login read and write only its own rows and a teacher's login read only the
// rows of its classes. The tables belong to the role zorvel_owner, which
// cannot log in: Zorvel never connects as their owner.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace zorvel::school {

inline constexpr int kServerLayout = 1;

// The tables that hold a pupil's record (each with a pupil_id column).
const QStringList& pupilTables();

// Creates the roles that are missing and brings the schema up to
// kServerLayout, as one transaction; the connecting login (which needs
// CREATEROLE and the right to create schemas in the database) becomes a
// member of zorvel_admin. Returns the layout number found before (0: new).
// Throws ServerFailure.
int initSchool(const QSqlDatabase& db);

// The layout of the server's schema (0: none); throws ServerFailure when it
// is newer than this program reads.
int checkLayout(const QSqlDatabase& db);

// An identifier quoted for a statement ("a""b").
QString quotedName(const QString& name);

} // namespace zorvel::school

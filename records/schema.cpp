// The tables of the record, one list of statements per version step.
//
//   pupils     the pupils of this account
//   settings   key/value: the current pupil
//   exercises  window, level and number type as the window showed them
//   tests      one row per test; questions and wrong_answers are kept up to
//              date as answers arrive; ended is NULL while a test runs
//   questions  the operands and correct answer of each question shown
//   answers    every answer submitted, in order (seq) per question
//   book       the mistakes book: questions per pupil and normal-mode exercise
#include "records/schema.h"

#include "records/sql_support.h"

#include <QStringList>

#include <vector>

namespace zorvel::records {

namespace {

const std::vector<QStringList>& migrations()
{
    static const std::vector<QStringList> steps = {
        // 0 -> 1
        {
            QStringLiteral("CREATE TABLE pupils (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)"),
            QStringLiteral("CREATE TABLE settings (key TEXT PRIMARY KEY, value) WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE exercises (id INTEGER PRIMARY KEY, window TEXT NOT NULL,"
                           " operation TEXT NOT NULL, mode TEXT NOT NULL, level_option TEXT NOT NULL,"
                           " level_caption TEXT NOT NULL, number_type TEXT NOT NULL,"
                           " UNIQUE (window, level_option, number_type))"),
            QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY,"
                           " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                           " exercise_id INTEGER NOT NULL REFERENCES exercises(id),"
                           " started INTEGER NOT NULL, redo INTEGER NOT NULL DEFAULT 0,"
                           " questions INTEGER NOT NULL DEFAULT 0, wrong_answers INTEGER NOT NULL DEFAULT 0,"
                           " playback_reached INTEGER NOT NULL DEFAULT 0, ended TEXT, time TEXT, centis INTEGER)"),
            QStringLiteral("CREATE INDEX tests_by_pupil ON tests (pupil_id, started)"),
            QStringLiteral("CREATE INDEX tests_by_exercise ON tests (pupil_id, exercise_id, started)"),
            QStringLiteral("CREATE INDEX tests_running ON tests (id) WHERE ended IS NULL"),
            QStringLiteral("CREATE INDEX tests_timed ON tests (pupil_id, exercise_id, centis, started)"
                           " WHERE centis IS NOT NULL"),
            QStringLiteral("CREATE TABLE questions (id INTEGER PRIMARY KEY,"
                           " test_id INTEGER NOT NULL REFERENCES tests(id) ON DELETE CASCADE,"
                           " number INTEGER NOT NULL, first TEXT NOT NULL, second TEXT NOT NULL,"
                           " third TEXT NOT NULL, answer TEXT NOT NULL, UNIQUE (test_id, number))"),
            QStringLiteral("CREATE TABLE answers ("
                           " question_id INTEGER NOT NULL REFERENCES questions(id) ON DELETE CASCADE,"
                           " seq INTEGER NOT NULL, text TEXT NOT NULL, is_right INTEGER NOT NULL,"
                           " ms INTEGER NOT NULL, PRIMARY KEY (question_id, seq)) WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE book (id INTEGER PRIMARY KEY,"
                           " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                           " exercise_id INTEGER NOT NULL REFERENCES exercises(id),"
                           " first TEXT NOT NULL, second TEXT NOT NULL, third TEXT NOT NULL, answer TEXT NOT NULL,"
                           " times_wrong INTEGER NOT NULL DEFAULT 0, entered INTEGER NOT NULL,"
                           " last_wrong INTEGER NOT NULL, redo_rights INTEGER NOT NULL DEFAULT 0,"
                           " last_redo_test INTEGER,"
                           " UNIQUE (pupil_id, exercise_id, first, second, third))"),
        },
    };
    return steps;
}

int fileVersion(const QSqlDatabase& db)
{
    return scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
}

void refuseNewer(int version)
{
    if (version > kSchemaVersion)
        throw SqlFailure(Failure::NewerVersion,
                         QStringLiteral("the record is of version %1; this program reads up to %2")
                             .arg(version)
                             .arg(kSchemaVersion));
}

} // namespace

void migrate(const QSqlDatabase& db)
{
    static_assert(kSchemaVersion >= 1);
    Transaction transaction(db);
    const int version = fileVersion(db);
    refuseNewer(version);
    if (version == kSchemaVersion)
        return;
    for (int step = version; step < kSchemaVersion; ++step)
        for (const QString& statement : migrations().at(static_cast<std::size_t>(step)))
            run(db, statement);
    run(db, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    transaction.commit();
}

void checkReadable(const QSqlDatabase& db)
{
    const int version = fileVersion(db);
    refuseNewer(version);
    if (version < 1)
        throw SqlFailure(Failure::Other, QStringLiteral("not a Zorvel records database"));
    if (version < kSchemaVersion)
        throw SqlFailure(Failure::Other, QStringLiteral("the record is of an older version %1; start Zorvel once to update it")
                                             .arg(version));
}

} // namespace zorvel::records

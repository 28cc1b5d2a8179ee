// The tables of the record, one list of statements per version step.
//
//   pupils     the pupils of this account; uuid names a pupil across computers
//   settings   key/value: the current pupil
//   exercises  window, level and number type as the window showed them
//   tests      one row per test; questions and wrong_answers are kept up to
//              date as answers arrive; ended is NULL while a test runs, and
//              session names the running copy of the program that writes it;
//              uuid names the test across computers
//   questions  the operands and correct answer of each question shown
//   answers    every answer submitted, in order (seq) per question
//   book       the mistakes book: questions per pupil and normal-mode exercise
//   fact_answers  every answer of the daily practice (fact 0..323, the day as
//              a Julian day, the speed setting it was judged by)
//   fact_boxes the box, due day and counts of every fact asked, per pupil:
//              derived from fact_answers, kept up to date with each answer;
//              recent holds the last grades and "@" the day last missed
//   fact_plans the sets and speed of each pupil's daily practice
//   fluency_results  a 达标测试's test as chosen, limit, count, correct
//              answers, time used and whether it passed; one row per such test
//   reading_settings  the listening windows' reading settings of each pupil;
//              a listening test keeps those it was read with (tests.reading_*)
//   server_links  the school server a pupil's tests go to (no password), and
//              since when; server_sent_tests and server_sent_facts: what it has
//              received (the queue is every ended test and fact answer not there)
#include "records/schema.h"

#include "records/sql_support.h"

#include <QStringList>

#include <vector>

namespace zorvel::records {

namespace {

// A random (version 4) UUID as text, made by SQLite for every new row and for
// the rows of an older file.
#define ZORVEL_NEW_UUID                                                                                        \
    "(lower(hex(randomblob(4)) || '-' || hex(randomblob(2)) || '-4' || substr(hex(randomblob(2)), 2) || '-'" \
    " || substr('89ab', 1 + (abs(random()) % 4), 1) || substr(hex(randomblob(2)), 2) || '-'"                   \
    " || hex(randomblob(6))))"

// Version n -> n + 1 is entry n. A step may rebuild a table (create the new
// one, copy, drop the old, rename): foreign keys are off while the steps run
// and checked before the commit, so nothing cascades.
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
        // 1 -> 2: a UUID on every pupil and test; the session of a running test
        {
            QStringLiteral("CREATE TABLE pupils_new (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
                           " uuid TEXT NOT NULL UNIQUE DEFAULT " ZORVEL_NEW_UUID ")"),
            QStringLiteral("INSERT INTO pupils_new (id, name) SELECT id, name FROM pupils"),
            QStringLiteral("DROP TABLE pupils"),
            QStringLiteral("ALTER TABLE pupils_new RENAME TO pupils"),
            QStringLiteral("CREATE TABLE tests_new (id INTEGER PRIMARY KEY,"
                           " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                           " exercise_id INTEGER NOT NULL REFERENCES exercises(id),"
                           " started INTEGER NOT NULL, redo INTEGER NOT NULL DEFAULT 0,"
                           " questions INTEGER NOT NULL DEFAULT 0, wrong_answers INTEGER NOT NULL DEFAULT 0,"
                           " playback_reached INTEGER NOT NULL DEFAULT 0, ended TEXT, time TEXT, centis INTEGER,"
                           " uuid TEXT NOT NULL UNIQUE DEFAULT " ZORVEL_NEW_UUID ", session TEXT)"),
            QStringLiteral("INSERT INTO tests_new (id, pupil_id, exercise_id, started, redo, questions, wrong_answers,"
                           " playback_reached, ended, time, centis) SELECT id, pupil_id, exercise_id, started, redo,"
                           " questions, wrong_answers, playback_reached, ended, time, centis FROM tests"),
            QStringLiteral("DROP TABLE tests"),
            QStringLiteral("ALTER TABLE tests_new RENAME TO tests"),
            QStringLiteral("CREATE INDEX tests_by_pupil ON tests (pupil_id, started)"),
            QStringLiteral("CREATE INDEX tests_by_exercise ON tests (pupil_id, exercise_id, started)"),
            QStringLiteral("CREATE INDEX tests_running ON tests (session) WHERE ended IS NULL"),
            QStringLiteral("CREATE INDEX tests_timed ON tests (pupil_id, exercise_id, centis, started)"
                           " WHERE centis IS NOT NULL"),
        },
        // The daily practice: every answer, the boxes derived from them, and
        // each pupil's plan
        {
            QStringLiteral("CREATE TABLE fact_answers (id INTEGER PRIMARY KEY,"
                           " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                           " fact INTEGER NOT NULL, is_right INTEGER NOT NULL, ms INTEGER NOT NULL,"
                           " day INTEGER NOT NULL, speed TEXT NOT NULL)"),
            QStringLiteral("CREATE INDEX fact_answers_by_fact ON fact_answers (pupil_id, fact, is_right, ms)"),
            QStringLiteral("CREATE TABLE fact_boxes ("
                           " pupil_id INTEGER NOT NULL REFERENCES pupils(id) ON DELETE CASCADE,"
                           " fact INTEGER NOT NULL, box INTEGER NOT NULL, due INTEGER NOT NULL,"
                           " first_day INTEGER NOT NULL, attempts INTEGER NOT NULL, rights INTEGER NOT NULL,"
                           " recent TEXT NOT NULL, median_ms INTEGER NOT NULL,"
                           " PRIMARY KEY (pupil_id, fact)) WITHOUT ROWID"),
            QStringLiteral("CREATE TABLE fact_plans ("
                           " pupil_id INTEGER PRIMARY KEY REFERENCES pupils(id) ON DELETE CASCADE,"
                           " sets TEXT NOT NULL, speed TEXT NOT NULL)"),
        },
        // 3 -> 4: the listening windows' reading settings, kept per pupil, and those a
        // listening test was read with
        {
            QStringLiteral("CREATE TABLE reading_settings ("
                           " pupil_id INTEGER PRIMARY KEY REFERENCES pupils(id) ON DELETE CASCADE,"
                           " pace TEXT NOT NULL, twice INTEGER NOT NULL, auto_ask INTEGER NOT NULL,"
                           " gap_seconds INTEGER NOT NULL)"),
            QStringLiteral("ALTER TABLE tests ADD COLUMN reading_pace TEXT"),
            QStringLiteral("ALTER TABLE tests ADD COLUMN reading_twice INTEGER"),
            QStringLiteral("ALTER TABLE tests ADD COLUMN reading_auto_ask INTEGER"),
            QStringLiteral("ALTER TABLE tests ADD COLUMN reading_gap_seconds INTEGER"),
        },
        // The result of each 达标测试 beside its test
        {
            QStringLiteral("CREATE TABLE fluency_results ("
                           " test_id INTEGER PRIMARY KEY REFERENCES tests(id) ON DELETE CASCADE,"
                           " fluency_test TEXT NOT NULL, limit_seconds INTEGER, total INTEGER NOT NULL,"
                           " correct INTEGER NOT NULL, elapsed_ms INTEGER NOT NULL, passed INTEGER NOT NULL)"),
            QStringLiteral("CREATE INDEX fluency_results_by_test ON fluency_results (fluency_test, passed)"),
        },
        // 5 -> 6: whether a question read aloud stays off the screen
        {
            QStringLiteral("ALTER TABLE reading_settings ADD COLUMN hide_question INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("ALTER TABLE tests ADD COLUMN reading_hide_question INTEGER"),
        },
        // 6 -> 7: the school server: where each pupil's record goes and what it has
        {
            QStringLiteral("CREATE TABLE server_links ("
                           " pupil_id INTEGER PRIMARY KEY REFERENCES pupils(id) ON DELETE CASCADE,"
                           " address TEXT NOT NULL, since INTEGER NOT NULL)"),
            QStringLiteral("CREATE TABLE server_sent_tests ("
                           " test_id INTEGER PRIMARY KEY REFERENCES tests(id) ON DELETE CASCADE)"),
            QStringLiteral("CREATE TABLE server_sent_facts ("
                           " answer_id INTEGER PRIMARY KEY REFERENCES fact_answers(id) ON DELETE CASCADE)"),
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

// Runs the steps from the file's version on, in one transaction, and checks
// every reference before the commit.
void runSteps(const QSqlDatabase& db, int toVersion)
{
    Transaction transaction(db);
    const int version = fileVersion(db);  // another copy may have moved it on meanwhile
    refuseNewer(version);
    for (int step = version; step < toVersion; ++step)
        for (const QString& statement : migrations().at(static_cast<std::size_t>(step)))
            run(db, statement);
    run(db, QStringLiteral("PRAGMA user_version = %1").arg(toVersion));
    if (!scalar(db, QStringLiteral("PRAGMA foreign_key_check")).isNull())
        throw SqlFailure(Failure::MigrationFailed, QStringLiteral("a reference points nowhere"));
    transaction.commit();
}

} // namespace

// Foreign keys can be switched off only outside a transaction (SQLite
// ignores the switch inside one); they are on again whatever happens.
void migrate(const QSqlDatabase& db, int toVersion)
{
    static_assert(kSchemaVersion >= 1);
    const int version = fileVersion(db);
    refuseNewer(version);
    if (version >= toVersion)
        return;
    run(db, QStringLiteral("PRAGMA foreign_keys = OFF"));
    try {
        runSteps(db, toVersion);
    } catch (const SqlFailure& failure) {
        run(db, QStringLiteral("PRAGMA foreign_keys = ON"));
        // Waiting for another copy, a damaged file or a full disk are the
        // caller's to handle; anything else is a step failing on this file.
        if (failure.kind() == Failure::Locked || failure.kind() == Failure::Corrupt
            || failure.kind() == Failure::DiskFull)
            throw;
        throw SqlFailure(Failure::MigrationFailed, failure.text());
    }
    run(db, QStringLiteral("PRAGMA foreign_keys = ON"));
}

void checkReadable(const QSqlDatabase& db)
{
    const int version = fileVersion(db);
    refuseNewer(version);
    if (version < 1)
        throw SqlFailure(Failure::Other, QStringLiteral("not a Zorvel records database"));
}

#undef ZORVEL_NEW_UUID

} // namespace zorvel::records

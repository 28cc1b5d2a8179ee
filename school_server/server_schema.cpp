// The server's tables, their policies and grants, one list of statements per
// layout step, run as the owner role by the administrator's login.
#include "school_server/server_schema.h"

#include "school_server/server_connection.h"

#include <QStringList>

#include <vector>

namespace zorvel::school {

namespace {

QStringList tablesOfLayoutOne()
{
    return {
        QStringLiteral("CREATE TABLE zorvel.layout (version integer NOT NULL)"),
        QStringLiteral("INSERT INTO zorvel.layout VALUES (0)"),
        QStringLiteral("CREATE TABLE zorvel.classes (id uuid PRIMARY KEY DEFAULT gen_random_uuid(),"
                       " name text NOT NULL UNIQUE, teacher name NOT NULL)"),
        QStringLiteral("CREATE TABLE zorvel.pupils (id uuid PRIMARY KEY DEFAULT gen_random_uuid(),"
                       " name text NOT NULL, class_id uuid NOT NULL REFERENCES zorvel.classes(id),"
                       " login name NOT NULL UNIQUE, student_number text)"),
        QStringLiteral("CREATE TABLE zorvel.tests (id uuid PRIMARY KEY,"
                       " pupil_id uuid NOT NULL REFERENCES zorvel.pupils(id) ON DELETE CASCADE,"
                       " win text NOT NULL, operation text NOT NULL, mode text NOT NULL, level_option text NOT NULL,"
                       " level_caption text NOT NULL, number_type text NOT NULL, started timestamptz NOT NULL,"
                       " redo boolean NOT NULL, questions integer NOT NULL, wrong_answers integer NOT NULL,"
                       " playback_reached boolean NOT NULL, ended text NOT NULL, time text, centis integer,"
                       " reading_pace text, reading_twice boolean, reading_auto_ask boolean,"
                       " reading_gap_seconds integer, received timestamptz NOT NULL DEFAULT now())"),
        QStringLiteral("CREATE INDEX tests_by_pupil ON zorvel.tests (pupil_id, started)"),
        QStringLiteral("CREATE INDEX tests_by_arrival ON zorvel.tests (received)"),
        QStringLiteral("CREATE TABLE zorvel.questions (test_id uuid NOT NULL REFERENCES zorvel.tests(id)"
                       " ON DELETE CASCADE, pupil_id uuid NOT NULL, number integer NOT NULL, first text NOT NULL,"
                       " second text NOT NULL, third text NOT NULL, answer text NOT NULL,"
                       " PRIMARY KEY (test_id, number))"),
        QStringLiteral("CREATE TABLE zorvel.answers (test_id uuid NOT NULL, pupil_id uuid NOT NULL,"
                       " number integer NOT NULL, seq integer NOT NULL, text text NOT NULL, is_right boolean NOT NULL,"
                       " ms integer NOT NULL, PRIMARY KEY (test_id, number, seq),"
                       " FOREIGN KEY (test_id, number) REFERENCES zorvel.questions ON DELETE CASCADE)"),
        QStringLiteral("CREATE TABLE zorvel.fluency_results (test_id uuid PRIMARY KEY REFERENCES zorvel.tests(id)"
                       " ON DELETE CASCADE, pupil_id uuid NOT NULL, fluency_test text NOT NULL, limit_seconds integer,"
                       " total integer NOT NULL, correct integer NOT NULL, elapsed_ms bigint NOT NULL,"
                       " passed boolean NOT NULL)"),
        QStringLiteral("CREATE TABLE zorvel.fact_answers (id uuid PRIMARY KEY,"
                       " pupil_id uuid NOT NULL REFERENCES zorvel.pupils(id) ON DELETE CASCADE, fact integer NOT NULL,"
                       " is_right boolean NOT NULL, ms integer NOT NULL, day integer NOT NULL, speed text NOT NULL,"
                       " received timestamptz NOT NULL DEFAULT now())"),
        QStringLiteral("CREATE INDEX fact_answers_by_arrival ON zorvel.fact_answers (received)"),
        QStringLiteral("CREATE TABLE zorvel.fact_boxes (pupil_id uuid NOT NULL REFERENCES zorvel.pupils(id)"
                       " ON DELETE CASCADE, fact integer NOT NULL, box integer NOT NULL, due integer NOT NULL,"
                       " first_day integer NOT NULL, attempts integer NOT NULL, rights integer NOT NULL,"
                       " recent text NOT NULL, median_ms integer NOT NULL, PRIMARY KEY (pupil_id, fact))"),
        // Teachers' windows listen for new tests.
        QStringLiteral("CREATE FUNCTION zorvel.tell_new_test() RETURNS trigger LANGUAGE plpgsql AS"
                       " $$BEGIN PERFORM pg_notify('zorvel_tests', NEW.pupil_id::text); RETURN NULL; END$$"),
        QStringLiteral("CREATE TRIGGER tell_new_test AFTER INSERT ON zorvel.tests"
                       " FOR EACH ROW EXECUTE FUNCTION zorvel.tell_new_test()"),
    };
}

// Who sees and changes what: a pupil's login its own pupil row and rows, a
// teacher's login its classes, their pupils and their rows (reading only),
// the administrators classes and pupils (and reading everything).
QStringList securityOfLayoutOne()
{
    const QString own = QStringLiteral("pupil_id IN (SELECT id FROM zorvel.pupils WHERE login = current_user)");
    QStringList statements = {
        QStringLiteral("ALTER TABLE zorvel.classes ENABLE ROW LEVEL SECURITY"),
        QStringLiteral("ALTER TABLE zorvel.pupils ENABLE ROW LEVEL SECURITY"),
        QStringLiteral("CREATE POLICY teaching ON zorvel.classes FOR SELECT TO zorvel_teacher"
                       " USING (teacher = current_user)"),
        QStringLiteral("CREATE POLICY administration ON zorvel.classes FOR ALL TO zorvel_admin"
                       " USING (true) WITH CHECK (true)"),
        QStringLiteral("CREATE POLICY self ON zorvel.pupils FOR SELECT TO zorvel_pupil USING (login = current_user)"),
        QStringLiteral("CREATE POLICY taught ON zorvel.pupils FOR SELECT TO zorvel_teacher"
                       " USING (class_id IN (SELECT id FROM zorvel.classes))"),
        QStringLiteral("CREATE POLICY administration ON zorvel.pupils FOR ALL TO zorvel_admin"
                       " USING (true) WITH CHECK (true)"),
        QStringLiteral("GRANT USAGE ON SCHEMA zorvel TO zorvel_pupil, zorvel_teacher, zorvel_admin"),
        QStringLiteral("GRANT SELECT ON zorvel.layout TO zorvel_pupil, zorvel_teacher, zorvel_admin"),
        QStringLiteral("GRANT SELECT ON zorvel.classes, zorvel.pupils TO zorvel_teacher"),
        QStringLiteral("GRANT SELECT ON zorvel.pupils TO zorvel_pupil"),
        QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON zorvel.classes, zorvel.pupils TO zorvel_admin"),
    };
    for (const QString& table : pupilTables()) {
        const QString name = QStringLiteral("zorvel.") + table;
        statements << QStringLiteral("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY").arg(name)
                   << QStringLiteral("CREATE POLICY reading ON %1 FOR SELECT TO zorvel_pupil, zorvel_teacher"
                                     " USING (pupil_id IN (SELECT id FROM zorvel.pupils))")
                          .arg(name)
                   << QStringLiteral("CREATE POLICY own_inserts ON %1 FOR INSERT TO zorvel_pupil WITH CHECK (%2)")
                          .arg(name, own)
                   << QStringLiteral("CREATE POLICY own_updates ON %1 FOR UPDATE TO zorvel_pupil USING (%2)"
                                     " WITH CHECK (%2)")
                          .arg(name, own)
                   << QStringLiteral("CREATE POLICY administration ON %1 FOR SELECT TO zorvel_admin USING (true)")
                          .arg(name)
                   << QStringLiteral("GRANT SELECT, INSERT, UPDATE ON %1 TO zorvel_pupil").arg(name)
                   << QStringLiteral("GRANT SELECT ON %1 TO zorvel_teacher, zorvel_admin").arg(name);
    }
    return statements;
}

// Layout n -> n + 1 is entry n.
const std::vector<QStringList>& layoutSteps()
{
    static const std::vector<QStringList> steps = {tablesOfLayoutOne() + securityOfLayoutOne()};
    return steps;
}

bool roleExists(const QSqlDatabase& db, const QString& role)
{
    return value(db, QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {role}).isValid();
}

void createGroupRoles(const QSqlDatabase& db)
{
    for (const char* role : {"zorvel_owner", "zorvel_pupil", "zorvel_teacher", "zorvel_admin"})
        if (!roleExists(db, QLatin1String(role)))
            exec(db, QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(QLatin1String(role)));
}

} // namespace

const QStringList& pupilTables()
{
    static const QStringList tables = {QStringLiteral("tests"),        QStringLiteral("questions"),
                                       QStringLiteral("answers"),      QStringLiteral("fluency_results"),
                                       QStringLiteral("fact_answers"), QStringLiteral("fact_boxes")};
    return tables;
}

QString quotedName(const QString& name)
{
    QString inner = name;
    return QLatin1Char('"') + inner.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

int checkLayout(const QSqlDatabase& db)
{
    if (!value(db, QStringLiteral("SELECT to_regclass('zorvel.layout')")).toString().isEmpty()) {
        const int layout = value(db, QStringLiteral("SELECT version FROM zorvel.layout")).toInt();
        if (layout > kServerLayout)
            throw ServerFailure(QStringLiteral("服务器上的数据是更新版本的 Zorvel 建立的（版本 %1，这个程序只认到 %2）")
                                    .arg(layout)
                                    .arg(kServerLayout));
        return layout;
    }
    return 0;
}

// The owner's membership is lent to the administrator's login for the steps
// only, so that no login keeps the tables' owner.
int initSchool(const QSqlDatabase& db)
{
    ServerTransaction transaction(db);
    createGroupRoles(db);
    const int before = checkLayout(db);
    exec(db, QStringLiteral("GRANT zorvel_owner TO CURRENT_USER"));
    exec(db, QStringLiteral("GRANT zorvel_admin TO CURRENT_USER"));
    exec(db, QStringLiteral("CREATE SCHEMA IF NOT EXISTS zorvel AUTHORIZATION zorvel_owner"));
    exec(db, QStringLiteral("SET LOCAL ROLE zorvel_owner"));
    for (int step = before; step < kServerLayout; ++step)
        for (const QString& statement : layoutSteps().at(std::size_t(step)))
            exec(db, statement);
    exec(db, QStringLiteral("UPDATE zorvel.layout SET version = ?"), {kServerLayout});
    exec(db, QStringLiteral("RESET ROLE"));
    exec(db, QStringLiteral("REVOKE zorvel_owner FROM CURRENT_USER"));
    transaction.commit();
    return before;
}

} // namespace zorvel::school

// Copying from the server: pupils (by UUID), then the tests that arrived
// since the watermark kept in the local settings (with a minute's overlap, as
// a transaction's arrival time is its start), their questions, answers and
// 达标测试 results, then the fact answers and the boxes of their pupils.
#include "school_server/class_mirror.h"

#include "records/sql_support.h"
#include "school_server/server_connection.h"

#include <map>

namespace zorvel::school {

using records::nextRow;
using records::run;
using records::scalar;

namespace {

const QString kWatermark = QStringLiteral("school_server_received");
// The arrivals a refresh looks back over, for transactions still open at the last one.
const QString kSince = QStringLiteral("coalesce(?::timestamptz, '-infinity') - interval '1 minute'");

// A local statement prepared once and run for row after row.
class Prepared {
public:
    Prepared(const QSqlDatabase& db, const QString& sql) : query_(db)
    {
        if (!query_.prepare(sql))
            throw records::SqlFailure(query_.lastError());
    }
    QSqlQuery& run(const QVariantList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            query_.bindValue(i, values.at(i));
        if (!query_.exec())
            throw records::SqlFailure(query_.lastError());
        return query_;
    }

private:
    QSqlQuery query_;
};

// Local pupil ids by server UUID; new pupils added (a name taken by another
// pupil gets its class, or its UUID's start, after it).
std::map<QString, qint64> mirrorPupils(const QSqlDatabase& server, const QSqlDatabase& local)
{
    std::map<QString, qint64> ids;
    for (const ServerPupil& pupil : serverPupils(server)) {
        QVariant id = scalar(local, QStringLiteral("SELECT id FROM pupils WHERE uuid = ?"), {pupil.uuid});
        for (const QString& name : {pupil.name, QStringLiteral("%1（%2）").arg(pupil.name, pupil.className),
                                    QStringLiteral("%1（%2）").arg(pupil.name, pupil.uuid.left(8))}) {
            if (id.isValid())
                break;
            run(local, QStringLiteral("INSERT OR IGNORE INTO pupils (name, uuid) VALUES (?, ?)"), {name, pupil.uuid});
            id = scalar(local, QStringLiteral("SELECT id FROM pupils WHERE uuid = ?"), {pupil.uuid});
        }
        ids[pupil.uuid] = id.toLongLong();
    }
    return ids;
}

qint64 exerciseId(const QSqlDatabase& local, const QSqlQuery& test)
{
    run(local, QStringLiteral("INSERT OR IGNORE INTO exercises (window, operation, mode, level_option, level_caption,"
                              " number_type) VALUES (?, ?, ?, ?, ?, ?)"),
        {test.value(2), test.value(3), test.value(4), test.value(5), test.value(6), test.value(7)});
    return scalar(local, QStringLiteral("SELECT id FROM exercises WHERE window = ? AND level_option = ? AND number_type = ?"),
                  {test.value(2), test.value(5), test.value(7)})
        .toLongLong();
}

QVariant orNull(const QVariant& value)
{
    return value.isNull() ? QVariant() : value;
}

// The new tests; local test ids by server UUID.
std::map<QString, qint64> mirrorTests(const QSqlDatabase& server, const QSqlDatabase& local, const QVariant& since,
                                      const std::map<QString, qint64>& pupils)
{
    std::map<QString, qint64> tests;
    Prepared known(local, QStringLiteral("SELECT 1 FROM tests WHERE uuid = ?"));
    Prepared insert(local, QStringLiteral(
        "INSERT INTO tests (pupil_id, exercise_id, uuid, started, redo, questions, wrong_answers, playback_reached,"
        " ended, time, centis, reading_pace, reading_twice, reading_auto_ask, reading_gap_seconds)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    std::map<QString, qint64> exercises;
    QSqlQuery rows = exec(server, QStringLiteral(
        "SELECT id, pupil_id, win, operation, mode, level_option, level_caption, number_type,"
        " (extract(epoch FROM started) * 1000)::bigint, redo, questions, wrong_answers, playback_reached, ended, time,"
        " centis, reading_pace, reading_twice, reading_auto_ask, reading_gap_seconds FROM zorvel.tests"
        " WHERE received > ") + kSince + QStringLiteral(" ORDER BY received, started"), {since});
    while (rows.next()) {
        const QString uuid = rows.value(0).toString();
        const auto pupil = pupils.find(rows.value(1).toString());
        if (pupil == pupils.end() || known.run({uuid}).next())
            continue;
        const QString exercise = QStringList{rows.value(2).toString(), rows.value(5).toString(), rows.value(7).toString()}
                                     .join(QLatin1Char('|'));
        if (!exercises.count(exercise))
            exercises[exercise] = exerciseId(local, rows);
        QVariantList values{pupil->second, exercises[exercise], uuid};
        for (int column = 8; column <= 19; ++column)
            values << orNull(rows.value(column));
        tests[uuid] = insert.run(values).lastInsertId().toLongLong();
    }
    return tests;
}

// The questions, answers and 达标测试 results of the tests just copied.
void mirrorTestRows(const QSqlDatabase& server, const QSqlDatabase& local, const QVariant& since,
                    const std::map<QString, qint64>& tests)
{
    const QString newTests = QStringLiteral(" JOIN zorvel.tests t ON t.id = x.test_id WHERE t.received > ") + kSince;
    std::map<std::pair<qint64, int>, qint64> questionIds;
    Prepared insertQuestion(local, QStringLiteral("INSERT INTO questions (test_id, number, first, second, third, answer)"
                                                  " VALUES (?, ?, ?, ?, ?, ?)"));
    Prepared insertAnswer(local, QStringLiteral("INSERT INTO answers (question_id, seq, text, is_right, ms)"
                                                " VALUES (?, ?, ?, ?, ?)"));
    QSqlQuery questions = exec(server, QStringLiteral("SELECT x.test_id, x.number, x.first, x.second, x.third, x.answer"
                                                      " FROM zorvel.questions x") + newTests, {since});
    while (questions.next()) {
        const auto test = tests.find(questions.value(0).toString());
        if (test == tests.end())
            continue;
        questionIds[{test->second, questions.value(1).toInt()}] =
            insertQuestion
                .run({test->second, questions.value(1), questions.value(2), questions.value(3), questions.value(4),
                      questions.value(5)})
                .lastInsertId()
                .toLongLong();
    }
    QSqlQuery answers = exec(server, QStringLiteral("SELECT x.test_id, x.number, x.seq, x.text, x.is_right, x.ms"
                                                    " FROM zorvel.answers x") + newTests, {since});
    while (answers.next()) {
        const auto test = tests.find(answers.value(0).toString());
        if (test == tests.end())
            continue;
        const auto question = questionIds.find({test->second, answers.value(1).toInt()});
        if (question != questionIds.end())
            insertAnswer.run({question->second, answers.value(2), answers.value(3), answers.value(4).toBool() ? 1 : 0,
                              answers.value(5)});
    }
    QSqlQuery fluency = exec(server, QStringLiteral("SELECT x.test_id, x.fluency_test, x.limit_seconds, x.total,"
                                                    " x.correct, x.elapsed_ms, x.passed FROM zorvel.fluency_results x") +
                                         newTests, {since});
    while (fluency.next()) {
        const auto test = tests.find(fluency.value(0).toString());
        if (test != tests.end())
            run(local, QStringLiteral("INSERT INTO fluency_results VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {test->second, fluency.value(1), orNull(fluency.value(2)), fluency.value(3), fluency.value(4),
                 fluency.value(5), fluency.value(6).toBool() ? 1 : 0});
    }
}

// The new fact answers (kept once by their UUID) and the boxes of their pupils.
int mirrorFacts(const QSqlDatabase& server, const QSqlDatabase& local, const QVariant& since,
                const std::map<QString, qint64>& pupils)
{
    run(local, QStringLiteral("CREATE TABLE IF NOT EXISTS server_fact_answers (uuid TEXT PRIMARY KEY,"
                              " answer_id INTEGER NOT NULL REFERENCES fact_answers(id) ON DELETE CASCADE)"));
    int copied = 0;
    Prepared known(local, QStringLiteral("SELECT 1 FROM server_fact_answers WHERE uuid = ?"));
    Prepared insert(local, QStringLiteral("INSERT INTO fact_answers (pupil_id, fact, is_right, ms, day, speed)"
                                          " VALUES (?, ?, ?, ?, ?, ?)"));
    Prepared keep(local, QStringLiteral("INSERT INTO server_fact_answers VALUES (?, ?)"));
    QSqlQuery answers = exec(server, QStringLiteral("SELECT id, pupil_id, fact, is_right, ms, day, speed FROM"
                                                    " zorvel.fact_answers WHERE received > ") + kSince, {since});
    while (answers.next()) {
        const auto pupil = pupils.find(answers.value(1).toString());
        if (pupil == pupils.end() || known.run({answers.value(0)}).next())
            continue;
        const QVariant id = insert.run({pupil->second, answers.value(2), answers.value(3).toBool() ? 1 : 0,
                                        answers.value(4), answers.value(5), answers.value(6)})
                                .lastInsertId();
        keep.run({answers.value(0), id});
        ++copied;
    }
    if (copied == 0)
        return 0;
    Prepared box(local, QStringLiteral("INSERT OR REPLACE INTO fact_boxes VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery boxes = exec(server, QStringLiteral("SELECT pupil_id, fact, box, due, first_day, attempts, rights, recent,"
                                                  " median_ms FROM zorvel.fact_boxes"));
    while (boxes.next()) {
        const auto pupil = pupils.find(boxes.value(0).toString());
        if (pupil != pupils.end())
            box.run({pupil->second, boxes.value(1), boxes.value(2), boxes.value(3), boxes.value(4), boxes.value(5),
                 boxes.value(6), boxes.value(7), boxes.value(8)});
    }
    return copied;
}

} // namespace

std::vector<ServerPupil> serverPupils(const QSqlDatabase& server)
{
    QSqlQuery rows = exec(server, QStringLiteral(
        "SELECT p.id, p.name, coalesce(c.name, ''), coalesce(p.student_number, '') FROM zorvel.pupils p"
        " LEFT JOIN zorvel.classes c ON c.id = p.class_id ORDER BY c.name, p.student_number, p.name"));
    std::vector<ServerPupil> pupils;
    while (rows.next())
        pupils.push_back({rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toString(),
                          rows.value(3).toString()});
    return pupils;
}

MirrorRefresh refreshMirror(const QSqlDatabase& server, const QSqlDatabase& local)
{
    // One snapshot of the server, and the watermark of its start.
    ServerTransaction snapshot(server);
    exec(server, QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY"));
    const QVariant now = value(server, QStringLiteral("SELECT now()::text"));
    records::Transaction transaction(local);
    const QVariant since = scalar(local, QStringLiteral("SELECT value FROM settings WHERE key = ?"), {kWatermark});
    const std::map<QString, qint64> pupils = mirrorPupils(server, local);
    MirrorRefresh refresh;
    const std::map<QString, qint64> tests = mirrorTests(server, local, since, pupils);
    refresh.tests = int(tests.size());
    mirrorTestRows(server, local, since, tests);
    refresh.factAnswers = mirrorFacts(server, local, since, pupils);
    run(local, QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES (?, ?)"), {kWatermark, now});
    transaction.commit();
    snapshot.commit();
    return refresh;
}

} // namespace zorvel::school

// The sender: local rows read on the local connection, written to the server
// in one transaction per test (ON CONFLICT DO NOTHING on the UUID keys, so a
// test sent again after a lost answer is not doubled), then marked sent.
#include "school_server/record_sender.h"

#include "records/sql_support.h"
#include "school_server/server_connection.h"

#include <QUuid>

#include <atomic>

namespace zorvel::school {

using records::nextRow;
using records::run;

namespace {

QString newPrefix()
{
    static std::atomic<int> count{0};
    return QStringLiteral("zorvel-school-%1-").arg(++count);
}

// The tests that wait: ended, begun since the link, not yet on the server.
const QString kWaitingWhere = QStringLiteral(
    " WHERE t.pupil_id = ? AND t.ended IS NOT NULL AND t.started >= ?"
    " AND NOT EXISTS (SELECT 1 FROM server_sent_tests s WHERE s.test_id = t.id)");

QVariant orNull(const QVariant& value, QMetaType::Type type)
{
    return value.isNull() ? QVariant(QMetaType(type)) : value;
}

QVariant flag(const QVariant& value)
{
    return value.isNull() ? QVariant(QMetaType(QMetaType::Bool)) : QVariant(value.toInt() != 0);
}

// One test's row on the server, its questions, answers and 达标测试 result.
void copyTest(const QSqlDatabase& local, const QSqlDatabase& server, const QVariant& me, const QSqlQuery& test)
{
    const qint64 id = test.value(0).toLongLong();
    const QString uuid = test.value(1).toString();
    exec(server,
         QStringLiteral("INSERT INTO zorvel.tests (id, pupil_id, win, operation, mode, level_option, level_caption,"
                        " number_type, started, redo, questions, wrong_answers, playback_reached, ended, time, centis,"
                        " reading_pace, reading_twice, reading_auto_ask, reading_gap_seconds) VALUES (?::uuid, ?::uuid,"
                        " ?, ?, ?, ?, ?, ?, to_timestamp(?::bigint / 1000.0), ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
                        " ON CONFLICT (id) DO NOTHING"),
         {uuid, me, test.value(14), test.value(15), test.value(16), test.value(17), test.value(18), test.value(19),
          test.value(2), flag(test.value(3)), test.value(4), test.value(5), flag(test.value(6)), test.value(7),
          orNull(test.value(8), QMetaType::QString), orNull(test.value(9), QMetaType::Int),
          orNull(test.value(10), QMetaType::QString), flag(test.value(11)), flag(test.value(12)),
          orNull(test.value(13), QMetaType::Int)});
    QSqlQuery questions = run(local, QStringLiteral("SELECT number, first, second, third, answer FROM questions"
                                                    " WHERE test_id = ? ORDER BY number"), {id});
    while (nextRow(questions))
        exec(server, QStringLiteral("INSERT INTO zorvel.questions VALUES (?::uuid, ?::uuid, ?, ?, ?, ?, ?)"
                                    " ON CONFLICT DO NOTHING"),
             {uuid, me, questions.value(0), questions.value(1), questions.value(2), questions.value(3),
              questions.value(4)});
    QSqlQuery answers = run(local, QStringLiteral("SELECT q.number, a.seq, a.text, a.is_right, a.ms FROM answers a"
                                                  " JOIN questions q ON q.id = a.question_id WHERE q.test_id = ?"
                                                  " ORDER BY q.number, a.seq"), {id});
    while (nextRow(answers))
        exec(server, QStringLiteral("INSERT INTO zorvel.answers VALUES (?::uuid, ?::uuid, ?, ?, ?, ?, ?)"
                                    " ON CONFLICT DO NOTHING"),
             {uuid, me, answers.value(0), answers.value(1), answers.value(2), flag(answers.value(3)),
              answers.value(4)});
    QSqlQuery fluency = run(local, QStringLiteral("SELECT fluency_test, limit_seconds, total, correct, elapsed_ms,"
                                                  " passed FROM fluency_results WHERE test_id = ?"), {id});
    if (nextRow(fluency))
        exec(server, QStringLiteral("INSERT INTO zorvel.fluency_results VALUES (?::uuid, ?::uuid, ?, ?, ?, ?, ?, ?)"
                                    " ON CONFLICT DO NOTHING"),
             {uuid, me, fluency.value(0), orNull(fluency.value(1), QMetaType::Int), fluency.value(2),
              fluency.value(3), fluency.value(4), flag(fluency.value(5))});
}

// A fact answer's key on the server: made from the local pupil's UUID and the
// answer's row, so that it is the same each time it is sent.
QString factAnswerKey(const QString& pupilUuid, qint64 answer)
{
    static const QUuid space(QStringLiteral("{5b0c6f55-8a43-4a38-9d3c-2f1ae0b54c11}"));
    return QUuid::createUuidV5(space, pupilUuid + QLatin1Char('/') + QString::number(answer))
        .toString(QUuid::WithoutBraces);
}

// The pupil's fact answers not yet sent, and the boxes of their facts, as one
// transaction; returns how many answers.
int sendFacts(const QSqlDatabase& local, const QSqlDatabase& server, const QVariant& me, const ServerLink& link)
{
    const QString pupilUuid = records::scalar(local, QStringLiteral("SELECT uuid FROM pupils WHERE id = ?"),
                                              {link.pupil}).toString();
    QSqlQuery answers = run(local, QStringLiteral(
        "SELECT f.id, f.fact, f.is_right, f.ms, f.day, f.speed FROM fact_answers f WHERE f.pupil_id = ?"
        " AND f.day >= ? AND NOT EXISTS (SELECT 1 FROM server_sent_facts s WHERE s.answer_id = f.id) ORDER BY f.id"),
        {link.pupil, link.since.date().toJulianDay()});
    std::vector<qint64> sent;
    ServerTransaction transaction(server);
    while (nextRow(answers)) {
        exec(server, QStringLiteral("INSERT INTO zorvel.fact_answers (id, pupil_id, fact, is_right, ms, day, speed)"
                                    " VALUES (?::uuid, ?::uuid, ?, ?, ?, ?, ?)"
                                    " ON CONFLICT DO NOTHING"),
             {factAnswerKey(pupilUuid, answers.value(0).toLongLong()), me, answers.value(1), flag(answers.value(2)),
              answers.value(3), answers.value(4), answers.value(5)});
        sent.push_back(answers.value(0).toLongLong());
    }
    if (sent.empty())
        return 0;
    QSqlQuery boxes = run(local, QStringLiteral(
        "SELECT fact, box, due, first_day, attempts, rights, recent, median_ms FROM fact_boxes WHERE pupil_id = ?"),
        {link.pupil});
    while (nextRow(boxes))
        exec(server, QStringLiteral("INSERT INTO zorvel.fact_boxes VALUES (?::uuid, ?, ?, ?, ?, ?, ?, ?, ?)"
                                    " ON CONFLICT (pupil_id, fact) DO UPDATE SET box = excluded.box, due = excluded.due,"
                                    " first_day = excluded.first_day, attempts = excluded.attempts,"
                                    " rights = excluded.rights, recent = excluded.recent, median_ms = excluded.median_ms"),
             {me, boxes.value(0), boxes.value(1), boxes.value(2), boxes.value(3), boxes.value(4), boxes.value(5),
              boxes.value(6), boxes.value(7)});
    transaction.commit();
    records::Transaction mark(local);
    for (qint64 answer : sent)
        run(local, QStringLiteral("INSERT OR IGNORE INTO server_sent_facts (answer_id) VALUES (?)"), {answer});
    mark.commit();
    return int(sent.size());
}

} // namespace

int waitingTests(const QSqlDatabase& local, const ServerLink& link)
{
    return records::scalar(local, QStringLiteral("SELECT count(*) FROM tests t") + kWaitingWhere,
                           {link.pupil, link.since.toMSecsSinceEpoch()})
        .toInt();
}

RecordSender::RecordSender(std::chrono::milliseconds retryPause) : retryPause_(retryPause), prefix_(newPrefix()) {}

RecordSender::~RecordSender()
{
    for (const auto& [address, name] : connections_)
        closeServer(name);
}

QSqlDatabase RecordSender::connectionFor(const ServerAddress& address)
{
    const QString key = address.toText();
    auto found = connections_.find(key);
    if (found != connections_.end())
        return QSqlDatabase::database(found->second, false);
    const QString name = prefix_ + QString::number(connections_.size() + 1);
    QSqlDatabase db = openServer(name, address);
    connections_[key] = name;
    return db;
}

void RecordSender::dropConnection(const ServerAddress& address)
{
    auto found = connections_.find(address.toText());
    if (found == connections_.end())
        return;
    closeServer(found->second);
    connections_.erase(found);
}

void RecordSender::send(const QSqlDatabase& local, const ServerLink& link, const QSqlDatabase& server,
                        SendResult& result)
{
    const QVariant me = value(server, QStringLiteral("SELECT id FROM zorvel.pupils WHERE login = current_user"));
    if (!me.isValid())
        throw ServerFailure(QStringLiteral("服务器上没有登记这个用户的学生（%1）").arg(link.address.shown()));
    QSqlQuery tests = run(local, QStringLiteral("SELECT t.id, t.uuid, t.started, t.redo, t.questions,"
                                                " t.wrong_answers, t.playback_reached, t.ended, t.time, t.centis,"
                                                " t.reading_pace, t.reading_twice, t.reading_auto_ask,"
                                                " t.reading_gap_seconds, e.window, e.operation, e.mode, e.level_option,"
                                                " e.level_caption, e.number_type FROM tests t"
                                                " JOIN exercises e ON e.id = t.exercise_id") +
                                     kWaitingWhere + QStringLiteral(" ORDER BY t.started, t.id"),
                          {link.pupil, link.since.toMSecsSinceEpoch()});
    while (nextRow(tests)) {
        ServerTransaction transaction(server);
        copyTest(local, server, me, tests);
        if (midSend_)
            midSend_();
        transaction.commit();
        run(local, QStringLiteral("INSERT OR IGNORE INTO server_sent_tests (test_id) VALUES (?)"), {tests.value(0)});
        ++result.tests;
    }
    result.facts += sendFacts(local, server, me, link);
}

SendResult RecordSender::sendPupil(const QSqlDatabase& local, const ServerLink& link)
{
    SendResult result;
    const QString key = link.address.toText();
    try {
        const QSqlDatabase server = connectionFor(link.address);
        pausedUntil_.erase(key);
        send(local, link, server, result);
    } catch (const ServerFailure& failure) {
        dropConnection(link.address);
        pausedUntil_[key] = std::chrono::steady_clock::now() + retryPause_;
        result.problem = failure.text();
    } catch (const records::SqlFailure& failure) {
        result.problem = QStringLiteral("本机的学习记录读不了：%1").arg(failure.text());
    }
    try {
        result.waiting = waitingTests(local, link);
    } catch (const records::SqlFailure&) {
    }
    return result;
}

SendResult RecordSender::sendWaiting(const QSqlDatabase& local)
{
    SendResult total;
    std::vector<ServerLink> links;
    try {
        links = allLinks(local);
    } catch (const records::SqlFailure& failure) {
        total.problem = failure.text();
        return total;
    }
    for (const ServerLink& link : links) {
        const auto paused = pausedUntil_.find(link.address.toText());
        if (paused != pausedUntil_.end() && std::chrono::steady_clock::now() < paused->second)
            continue;
        const SendResult one = sendPupil(local, link);
        total.tests += one.tests;
        total.facts += one.facts;
        total.waiting += one.waiting;
        if (!one.problem.isEmpty())
            total.problem = one.problem;
    }
    return total;
}

} // namespace zorvel::school

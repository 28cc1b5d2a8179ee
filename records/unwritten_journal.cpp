// The journal of unwritten writes: each store call as one line of JSON, made
// again through the same RecordWrites calls at the next start.
#include "records/unwritten_journal.h"

#include "records/fact_records.h"
#include "records/record_writes.h"
#include "records/sql_support.h"
#include "platform/private_files.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace zorvel::records {

namespace unwritten {

QJsonObject beginTest(TestId id, const QString& session, qint64 pupil, const Exercise& exercise,
                      const QDateTime& started, bool redo)
{
    return {{"call", "begin"}, {"test", QString::number(id)}, {"session", session}, {"pupil", pupil},
            {"exercise", QJsonArray{exercise.window, exercise.operation, exercise.mode, exercise.levelOption,
                                    exercise.levelCaption, exercise.numberType}},
            {"started", QString::number(started.toMSecsSinceEpoch())}, {"redo", redo}};
}

QJsonObject question(TestId test, int number, const QuestionShown& question)
{
    return {{"call", "question"}, {"test", QString::number(test)}, {"number", number},
            {"operands", QJsonArray{question.operands[0], question.operands[1], question.operands[2]}},
            {"answer", question.correctAnswer}};
}

QJsonObject answer(TestId test, int number, const QString& text, bool right, qint64 ms)
{
    return {{"call", "answer"}, {"test", QString::number(test)}, {"number", number}, {"text", text},
            {"right", right}, {"ms", ms}};
}

QJsonObject endTest(TestId test, TestEnd end, const QString& stopwatch, const std::optional<FluencyResult>& result)
{
    QJsonObject call{{"call", "end"}, {"test", QString::number(test)}, {"end", testEndKey(end)},
                     {"stopwatch", stopwatch}};
    if (result)
        call.insert("result", QJsonObject{{"test", result->test}, {"limit", result->limitSeconds},
                                          {"questions", result->questions}, {"correct", result->correct},
                                          {"elapsed", result->elapsedMs}, {"passed", result->passed}});
    return call;
}

QJsonObject factAnswer(qint64 pupil, const facts::FactAnswer& answer)
{
    return {{"call", "fact"}, {"pupil", pupil}, {"fact", answer.fact}, {"right", answer.right},
            {"ms", answer.ms}, {"day", qint64(answer.day)}, {"speed", int(answer.speed)}};
}

} // namespace unwritten

namespace {

TestId testOf(const QJsonObject& call)
{
    return call.value("test").toString().toLongLong();
}

std::optional<FluencyResult> resultOf(const QJsonObject& call)
{
    if (!call.contains("result"))
        return std::nullopt;
    const QJsonObject r = call.value("result").toObject();
    return FluencyResult{r.value("test").toString(), r.value("limit").toInt(), r.value("questions").toInt(),
                         r.value("correct").toInt(), qint64(r.value("elapsed").toDouble()),
                         r.value("passed").toBool()};
}

void make(const QJsonObject& call, RecordWrites& writes)
{
    const QString name = call.value("call").toString();
    if (name == "begin") {
        const QJsonArray e = call.value("exercise").toArray();
        const Exercise exercise{e[0].toString(), e[1].toString(), e[2].toString(),
                                e[3].toString(), e[4].toString(), e[5].toString()};
        writes.beginTest(testOf(call), call.value("session").toString(), qint64(call.value("pupil").toDouble()),
                         exercise, QDateTime::fromMSecsSinceEpoch(call.value("started").toString().toLongLong()),
                         call.value("redo").toBool());
    } else if (name == "question") {
        const QJsonArray o = call.value("operands").toArray();
        writes.question(testOf(call), call.value("number").toInt(),
                        QuestionShown{{o[0].toString(), o[1].toString(), o[2].toString()},
                                      call.value("answer").toString()});
    } else if (name == "answer") {
        writes.answer(testOf(call), call.value("number").toInt(), call.value("text").toString(),
                      call.value("right").toBool(), qint64(call.value("ms").toDouble()));
    } else if (name == "end") {
        writes.endTest(testOf(call), testEndFromKey(call.value("end").toString()).value_or(TestEnd::Interrupted),
                       call.value("stopwatch").toString(), resultOf(call));
    } else if (name == "fact") {
        facts::FactAnswer answer;
        answer.fact = call.value("fact").toInt();
        answer.right = call.value("right").toBool();
        answer.ms = call.value("ms").toInt();
        answer.day = facts::Day(call.value("day").toDouble());
        answer.speed = facts::Speed(call.value("speed").toInt());
        writeFactAnswer(writes.database(), qint64(call.value("pupil").toDouble()), answer);
    }
}

} // namespace

QString unwrittenJournal(const QString& recordPath)
{
    return recordPath + QStringLiteral(".unwritten");
}

bool keepUnwritten(const QString& recordPath, const std::vector<QJsonObject>& writes)
{
    QByteArray lines;
    for (const QJsonObject& call : writes)
        lines += QJsonDocument(call).toJson(QJsonDocument::Compact) + '\n';
    const QString journal = unwrittenJournal(recordPath);
    return makePrivateFile(journal) && appendToRegularFile(journal, lines);
}

void replayUnwritten(const QString& recordPath, RecordWrites& writes)
{
    const QString journal = unwrittenJournal(recordPath);
    const std::optional<QByteArray> lines = readRegularFile(journal);
    if (!lines)
        return;
    Transaction transaction(writes.database());
    for (const QByteArray& line : lines->split('\n'))
        if (!line.isEmpty())
            make(QJsonDocument::fromJson(line).object(), writes);
    transaction.commit();
    QFile::remove(journal);
}

QString describeUnwritten(const std::vector<QJsonObject>& writes)
{
    int tests = 0, answers = 0, facts = 0;
    for (const QJsonObject& call : writes) {
        const QString name = call.value("call").toString();
        tests += name == "begin" ? 1 : 0;
        answers += name == "answer" ? 1 : 0;
        facts += name == "fact" ? 1 : 0;
    }
    QStringList parts;
    if (tests > 0 || answers > 0)
        parts << QStringLiteral("%1 次练习（共 %2 个答案）").arg(tests).arg(answers);
    if (facts > 0)
        parts << QStringLiteral("%1 道口诀题").arg(facts);
    if (parts.isEmpty())
        parts << QStringLiteral("%1 项记录").arg(writes.size());
    return parts.join(QStringLiteral("和"));
}

} // namespace zorvel::records

// Reading a pupil's file: one query per table, rows checked as they come.
#include "class_record/pupil_file_rows.h"

#include "records/schema.h"
#include "records/sql_support.h"
#include "records/test_reports.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlQuery>

#include <unordered_map>

namespace zorvel::classroom {

const char kTestValueColumns[] = "started, redo, questions, wrong_answers, playback_reached, ended, time, centis,"
                                 " reading_pace, reading_twice, reading_auto_ask, reading_gap_seconds";
const char kFluencyResultColumns[] = "fluency_test, limit_seconds, total, correct, elapsed_ms, passed";

namespace {

using records::nextRow;
using records::run;

constexpr int kLongestText = 200;

[[noreturn]] void refuse(const QString& what)
{
    throw BadContent{QStringLiteral("文件里的数据不对（%1）").arg(what)};
}

qint64 integer(const QVariant& value, const char* what)
{
    if (value.typeId() != QMetaType::LongLong && value.typeId() != QMetaType::Int)
        refuse(QLatin1String(what));
    return value.toLongLong();
}

QVariant optionalInteger(const QVariant& value, const char* what)
{
    return value.isNull() ? value : QVariant(integer(value, what));
}

QString text(const QVariant& value, const char* what)
{
    if (value.typeId() != QMetaType::QString || value.toString().size() > kLongestText)
        refuse(QLatin1String(what));
    return value.toString();
}

QVariant optionalText(const QVariant& value, const char* what)
{
    return value.isNull() ? value : QVariant(text(value, what));
}

QString uuid(const QVariant& value)
{
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"));
    const QString string = text(value, "UUID");
    if (!form.match(string).hasMatch())
        refuse(QStringLiteral("UUID"));
    return string;
}

bool hasTable(const QSqlDatabase& db, const char* table)
{
    return !records::scalar(db, QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?"),
                            {QLatin1String(table)})
                .isNull();
}

void readPupils(const QSqlDatabase& db, PupilFileRows& rows)
{
    QSqlQuery query = run(db, QStringLiteral("SELECT id, name, uuid FROM pupils ORDER BY id"));
    while (nextRow(query))
        rows.pupils.push_back({integer(query.value(0), "pupil"), text(query.value(1), "name"), uuid(query.value(2))});
}

void readExercises(const QSqlDatabase& db, PupilFileRows& rows)
{
    QSqlQuery query = run(db, QStringLiteral("SELECT id, window, operation, mode, level_option, level_caption,"
                                             " number_type FROM exercises"));
    while (nextRow(query))
        rows.exercises[integer(query.value(0), "exercise")] = {
            text(query.value(1), "window"),       text(query.value(2), "operation"),
            text(query.value(3), "mode"),         text(query.value(4), "level"),
            text(query.value(5), "level caption"), text(query.value(6), "number type")};
}

void readTests(const QSqlDatabase& db, PupilFileRows& rows, std::unordered_map<qint64, std::size_t>& byId)
{
    const QString reading = rows.version >= 4 ? QStringLiteral("reading_pace, reading_twice, reading_auto_ask, reading_gap_seconds")
                                              : QStringLiteral("NULL, NULL, NULL, NULL");
    QSqlQuery query = run(db, QStringLiteral("SELECT id, pupil_id, exercise_id, uuid, started, redo, questions,"
                                             " wrong_answers, playback_reached, ended, time, centis, %1 FROM tests"
                                             " WHERE ended IS NOT NULL ORDER BY id").arg(reading));
    while (nextRow(query)) {
        FileTest test;
        test.pupil = integer(query.value(1), "test pupil");
        test.exercise = integer(query.value(2), "test exercise");
        if (!rows.exercises.count(test.exercise))
            refuse(QStringLiteral("exercise"));
        test.uuid = uuid(query.value(3));
        for (int c = 4; c <= 8; ++c)
            test.values << integer(query.value(c), "test");
        const QString ended = text(query.value(9), "ended");
        if (!records::testEndFromKey(ended))
            refuse(QStringLiteral("ended"));
        test.values << ended << optionalText(query.value(10), "time") << optionalInteger(query.value(11), "centis")
                    << optionalText(query.value(12), "pace");
        for (int c = 13; c <= 15; ++c)
            test.values << optionalInteger(query.value(c), "reading");
        byId[integer(query.value(0), "test")] = rows.tests.size();
        rows.tests.push_back(std::move(test));
    }
}

void readQuestions(const QSqlDatabase& db, PupilFileRows& rows, const std::unordered_map<qint64, std::size_t>& tests)
{
    std::unordered_map<qint64, std::pair<std::size_t, std::size_t>> byId;
    QSqlQuery query = run(db, QStringLiteral("SELECT test_id, id, number, first, second, third, answer FROM questions"
                                             " ORDER BY test_id, number"));
    while (nextRow(query)) {
        const auto test = tests.find(integer(query.value(0), "question test"));
        if (test == tests.end())
            continue;
        FileQuestion question;
        question.id = integer(query.value(1), "question");
        question.values << integer(query.value(2), "number");
        for (int c = 3; c <= 6; ++c)
            question.values << text(query.value(c), "operand");
        std::vector<FileQuestion>& questions = rows.tests[test->second].questions;
        byId[question.id] = {test->second, questions.size()};
        questions.push_back(std::move(question));
    }
    query = run(db, QStringLiteral("SELECT question_id, seq, text, is_right, ms FROM answers ORDER BY question_id, seq"));
    while (nextRow(query)) {
        const auto found = byId.find(integer(query.value(0), "answer question"));
        if (found == byId.end())
            continue;
        const qint64 right = integer(query.value(3), "is_right");
        if (right != 0 && right != 1)
            refuse(QStringLiteral("is_right"));
        rows.tests[found->second.first].questions[found->second.second].answers.push_back(
            {integer(query.value(1), "seq"), text(query.value(2), "answer"), right, integer(query.value(4), "ms")});
    }
}

void readFluency(const QSqlDatabase& db, PupilFileRows& rows, const std::unordered_map<qint64, std::size_t>& tests)
{
    if (rows.version < 5)
        return;
    QSqlQuery query = run(db, QStringLiteral("SELECT test_id, %1 FROM fluency_results").arg(QLatin1String(kFluencyResultColumns)));
    while (nextRow(query)) {
        const auto test = tests.find(integer(query.value(0), "fluency test"));
        if (test == tests.end())
            continue;
        QVariantList& values = rows.tests[test->second].fluency;
        values << text(query.value(1), "fluency") << optionalInteger(query.value(2), "limit");
        for (int c = 3; c <= 6; ++c)
            values << integer(query.value(c), "fluency");
    }
}

void addValues(QCryptographicHash& hash, const QVariantList& values)
{
    for (const QVariant& value : values) {
        hash.addData(value.isNull() ? QByteArray("\x1e") : value.toString().toUtf8());
        hash.addData(QByteArray("\x1f"));
    }
}

void digest(const PupilFileRows& rows, FileTest& test)
{
    const FileExercise& e = rows.exercises.at(test.exercise);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    addValues(hash, {e.window, e.levelOption, e.numberType});
    addValues(hash, test.values);
    addValues(hash, test.fluency);
    for (const FileQuestion& question : test.questions) {
        addValues(hash, question.values);
        for (const QVariantList& answer : question.answers)
            addValues(hash, answer);
    }
    test.digest = hash.result().toHex();
}

qint64 exportedAt(const QSqlDatabase& db)
{
    const QVariant exported = records::scalar(db, QStringLiteral("SELECT value FROM settings WHERE key = 'exported'"));
    if (exported.typeId() == QMetaType::LongLong)
        return exported.toLongLong();
    return records::scalar(db, QStringLiteral("SELECT coalesce(max(started), 0) FROM tests")).toLongLong();
}

} // namespace

PupilFileRows readPupilFile(const QSqlDatabase& db)
{
    PupilFileRows rows;
    rows.version = records::scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
    if (rows.version < 2 || !hasTable(db, "tests"))
        throw BadContent{QStringLiteral("记录文件的版本太旧，里面的测验没有编号；请用新版 Zorvel 重新导出")};
    if (rows.version > records::kSchemaVersion)
        throw BadContent{QStringLiteral("文件是由更新版本的 Zorvel 建立的")};
    rows.exported = exportedAt(db);
    readPupils(db, rows);
    readExercises(db, rows);
    std::unordered_map<qint64, std::size_t> tests;
    readTests(db, rows, tests);
    readQuestions(db, rows, tests);
    readFluency(db, rows, tests);
    for (FileTest& test : rows.tests)
        digest(rows, test);
    return rows;
}

} // namespace zorvel::classroom

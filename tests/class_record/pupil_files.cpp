// Writing a pupil's file in one transaction, without the store's writer.
#include "tests/class_record/pupil_files.h"

#include "facts/fact.h"
#include "records/fact_records.h"
#include "records/schema.h"
#include "records/sql_support.h"

#include <QFile>
#include <QUuid>

namespace zorvel::classroom::testing {

using records::run;

namespace {

qint64 exerciseId(const QSqlDatabase& db, const PlannedTest& test)
{
    const QString window = test.mode == QLatin1String("fluency") ? QStringLiteral("frmFluency")
                                                                  : QStringLiteral("Form8_") + test.operation;
    run(db, QStringLiteral("INSERT OR IGNORE INTO exercises (window, operation, mode, level_option, level_caption,"
                           " number_type) VALUES (?, ?, ?, 'Option3', '1位 × 1位', 'integer')"),
        {window, test.operation, test.mode});
    return records::scalar(db, QStringLiteral("SELECT id FROM exercises WHERE window = ?"), {window}).toLongLong();
}

void writeTest(const QSqlDatabase& db, const PlannedTest& test)
{
    int wrong = 0;
    for (const PlannedQuestion& q : test.questions)
        for (const PlannedAnswer& a : q.answers)
            wrong += a.right ? 0 : 1;
    const qint64 id = run(db, QStringLiteral("INSERT INTO tests (pupil_id, exercise_id, started, questions, wrong_answers,"
                                             " ended, uuid) VALUES (1, ?, ?, ?, ?, 'finished', ?)"),
                          {exerciseId(db, test), test.started.toMSecsSinceEpoch(), int(test.questions.size()), wrong,
                           test.uuid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : test.uuid})
                          .lastInsertId()
                          .toLongLong();
    int number = 0;
    for (const PlannedQuestion& q : test.questions) {
        const qint64 question = run(db, QStringLiteral("INSERT INTO questions (test_id, number, first, second, third, answer)"
                                                       " VALUES (?, ?, ?, ?, ?, ?)"),
                                    {id, ++number, q.operands.value(0), q.operands.value(1),
                                     records::text(q.operands.value(2)), q.answer})
                                    .lastInsertId()
                                    .toLongLong();
        int seq = 0;
        for (const PlannedAnswer& a : q.answers)
            run(db, QStringLiteral("INSERT INTO answers (question_id, seq, text, is_right, ms) VALUES (?, ?, ?, ?, ?)"),
                {question, ++seq, a.text, a.right ? 1 : 0, a.ms});
    }
    if (const auto& f = test.fluency)
        run(db, QStringLiteral("INSERT INTO fluency_results (test_id, fluency_test, limit_seconds, total, correct,"
                               " elapsed_ms, passed) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            {id, f->test, f->limitSeconds, f->questions, f->correct, f->elapsedMs, f->passed ? 1 : 0});
}

} // namespace

void writePupilFile(const QString& path, const PlannedPupil& pupil)
{
    QFile::remove(path);
    const QString connection = QStringLiteral("pupil-file-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        const QSqlDatabase db = records::openConnection(connection, path, false);
        records::migrate(db);
        records::Transaction transaction(db);
        run(db, QStringLiteral("INSERT INTO pupils (id, name, uuid) VALUES (1, ?, ?)"), {pupil.name, pupil.uuid});
        for (const PlannedTest& test : pupil.tests)
            writeTest(db, test);
        for (const facts::FactAnswer& a : pupil.factAnswers)
            run(db, QStringLiteral("INSERT INTO fact_answers (pupil_id, fact, is_right, ms, day, speed)"
                                   " VALUES (1, ?, ?, ?, ?, 'standard')"),
                {a.fact, a.right ? 1 : 0, a.ms, qint64(a.day)});
        run(db, QStringLiteral("INSERT INTO settings (key, value) VALUES ('exported', ?)"),
            {pupil.exported.toMSecsSinceEpoch()});
        transaction.commit();
        records::rebuildFactBoxes(db);
        run(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
    }
    records::closeConnection(connection);
}

PlannedQuestion question(const QString& a, const QString& b, const QString& answer, bool right, int ms,
                         const QString& typed)
{
    return {{a, b}, answer, {{right ? answer : typed, right, ms}}};
}

namespace {

QDateTime at(int day, int hour = 9)
{
    return QDateTime(kSmallClassMonday.addDays(day), QTime(hour, 0));
}

} // namespace

std::vector<PlannedPupil> smallClass()
{
    const int monday = int(kSmallClassMonday.toJulianDay());
    const int k7x8 = facts::Fact{facts::FactSet::Mul, 7, 8}.index();
    PlannedTest fluency{{}, at(2), QStringLiteral("add"), QStringLiteral("fluency"), {question("3", "5", "8", true, 800)},
                        records::FluencyResult{QStringLiteral("add20"), 300, 1, 1, 40000, true}};
    return {
        {QStringLiteral("小明"), QStringLiteral("00000000-0000-4000-8000-000000000001"),
         {{{}, at(0), QStringLiteral("mul"), QStringLiteral("normal"),
           {question("7", "8", "56", false, 4000, "54"), question("6", "7", "42", true, 1000)}, {}}},
         {{k7x8, false, 3000, monday}}, at(0, 20)},
        {QStringLiteral("小红"), QStringLiteral("00000000-0000-4000-8000-000000000002"),
         {{{}, at(1), QStringLiteral("mul"), QStringLiteral("normal"),
           {question("7", "8", "56", false, 2000, "48"), question("3", "3", "9", true, 1500)}, {}},
          fluency},
         {{k7x8, true, 1000, monday + 1}, {k7x8, true, 1000, monday + 2}}, at(2, 20)},
        {QStringLiteral("小刚"), QStringLiteral("00000000-0000-4000-8000-000000000003"),
         {{{}, at(3), QStringLiteral("add"), QStringLiteral("normal"), {question("3", "4", "7", true, 1200)}, {}}},
         {}, at(3, 20)},
    };
}

} // namespace zorvel::classroom::testing

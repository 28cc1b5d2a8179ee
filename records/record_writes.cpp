// The writes: tests, questions and answers as a drill reports them, the
// mistakes book kept as answers arrive, and the pupils.
//
// The book: a normal-mode question answered wrong at its first try enters it
// (or counts once more); it leaves once it has been answered right at the
// first try in two different "重练" tests. A listening question is booked,
// when ticked, under the normal-mode exercise of its operation, level and type.
// A first answer to a basic fact is an attempt in the daily practice's boxes.
#include "records/record_writes.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "records/fact_attempts.h"
#include "records/pupil_names.h"
#include "records/record_reader.h"
#include "records/sql_support.h"

#include <QRandomGenerator>

#include <algorithm>
#include <atomic>

namespace zorvel::records {

namespace {

const QString kSameBookQuestion =
    QStringLiteral("pupil_id = ? AND exercise_id = ? AND first = ? AND second = ? AND third = ?");

// The pupil, exercise and operands that identify a question in the book.
struct BookKey {
    qint64 pupil = 0;
    qint64 exercise = 0;
    QuestionShown question;
    QVariantList values() const
    {
        return {pupil, exercise, text(question.operands[0]), text(question.operands[1]), text(question.operands[2])};
    }
};

void bookWrong(const QSqlDatabase& db, const BookKey& key, qint64 when)
{
    run(db, QStringLiteral("INSERT INTO book (pupil_id, exercise_id, first, second, third, answer, times_wrong,"
                           " entered, last_wrong) VALUES (?, ?, ?, ?, ?, ?, 1, ?, ?)"
                           " ON CONFLICT (pupil_id, exercise_id, first, second, third) DO UPDATE SET"
                           " times_wrong = times_wrong + 1, last_wrong = max(last_wrong, excluded.last_wrong)"),
        key.values() << text(key.question.correctAnswer) << when << when);
}

} // namespace

qint64 RecordWrites::exerciseId(const Exercise& exercise)
{
    run(db_, QStringLiteral("INSERT OR IGNORE INTO exercises (window, operation, mode, level_option, level_caption,"
                            " number_type) VALUES (?, ?, ?, ?, ?, ?)"),
        {text(exercise.window), text(exercise.operation), text(exercise.mode), text(exercise.levelOption),
         text(exercise.levelCaption), text(exercise.numberType)});
    return scalar(db_, QStringLiteral("SELECT id FROM exercises WHERE window = ? AND level_option = ? AND number_type = ?"),
                  {text(exercise.window), text(exercise.levelOption), text(exercise.numberType)})
        .toLongLong();
}

// Tests begun within one millisecond (a quick run of them is posted in
// less) are still told apart, in the order they were begun.
TestId newTestId()
{
    static std::atomic<qint64> last{0};
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 drawn = (ms << 20) | qint64(QRandomGenerator::system()->bounded(1 << 20));
    qint64 previous = last.load();
    qint64 id = 0;
    do
        id = std::max(drawn, previous + 1);
    while (!last.compare_exchange_weak(previous, id));
    return id;
}

void RecordWrites::beginTest(TestId id, const QString& session, qint64 pupil, const Exercise& exercise,
                             const QDateTime& started, bool redo)
{
    Transaction transaction(db_);
    const qint64 exercise_id = exerciseId(exercise);
    // The pupil chosen in this copy; the saved current pupil only when that
    // one is not known yet or was removed meanwhile by another copy.
    run(db_, QStringLiteral("INSERT INTO tests (id, pupil_id, exercise_id, started, redo, session) SELECT ?,"
                            " coalesce((SELECT id FROM pupils WHERE id = ?), value), ?, ?, ?, ? FROM settings"
                            " WHERE key = 'current_pupil'"),
        {id, pupil, exercise_id, started.toMSecsSinceEpoch(), redo ? 1 : 0, session});
    transaction.commit();
}

void RecordWrites::question(TestId test, int number, const QuestionShown& question)
{
    Transaction transaction(db_);
    run(db_, QStringLiteral("INSERT INTO questions (test_id, number, first, second, third, answer)"
                            " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (test_id, number) DO UPDATE SET"
                            " first = excluded.first, second = excluded.second, third = excluded.third,"
                            " answer = excluded.answer"),
        {test, number, text(question.operands[0]), text(question.operands[1]), text(question.operands[2]),
         text(question.correctAnswer)});
    run(db_, QStringLiteral("UPDATE tests SET questions = (SELECT count(*) FROM questions WHERE test_id = ?)"
                            " WHERE id = ?"),
        {test, test});
    transaction.commit();
}

void RecordWrites::answer(TestId test, int number, const QString& typed, bool right, qint64 ms)
{
    Transaction transaction(db_);
    const QVariant questionId =
        scalar(db_, QStringLiteral("SELECT id FROM questions WHERE test_id = ? AND number = ?"), {test, number});
    if (questionId.isNull())
        return;  // the question itself was never stored: nothing to attach the answer to
    const int seq = scalar(db_, QStringLiteral("SELECT coalesce(max(seq), 0) + 1 FROM answers WHERE question_id = ?"),
                           {questionId})
                        .toInt();
    run(db_, QStringLiteral("INSERT INTO answers (question_id, seq, text, is_right, ms) VALUES (?, ?, ?, ?, ?)"),
        {questionId, seq, text(typed), right ? 1 : 0, ms});
    if (!right)
        run(db_, QStringLiteral("UPDATE tests SET wrong_answers = wrong_answers + 1 WHERE id = ?"), {test});
    if (seq == 1) {
        bookFirstTry(test, questionId.toLongLong(), right);
        countFactAttempt(db_, questionId.toLongLong(), right, ms);
    }
    transaction.commit();
}

void RecordWrites::bookFirstTry(TestId test, qint64 questionId, bool right)
{
    QSqlQuery found = questionRow(db_, questionId,
                                  QStringLiteral("t.pupil_id, t.exercise_id, t.started, t.redo, e.mode, q.first,"
                                                 " q.second, q.third, q.answer"));
    if (!nextRow(found))
        return;
    // A 达标测试 has one answer per question: one answered wrong is booked
    // under the normal window of its exercise, where "重练" can open it.
    if (found.value(4).toString() == QLatin1String("fluency")) {
        found.finish();
        if (!right)
            bookUnderNormalWindow(questionId, true);
        return;
    }
    if (found.value(4).toString() != QLatin1String("normal"))
        return;
    const BookKey key{found.value(0).toLongLong(), found.value(1).toLongLong(), questionAt(found, 5)};
    if (!right) {
        bookWrong(db_, key, found.value(2).toLongLong());
    } else if (found.value(3).toBool()) {
        run(db_, QStringLiteral("UPDATE book SET redo_rights = redo_rights + 1, last_redo_test = ? WHERE ") +
                     kSameBookQuestion + QStringLiteral(" AND (last_redo_test IS NULL OR last_redo_test <> ?)"),
            QVariantList{test} << key.values() << test);
        run(db_, QStringLiteral("DELETE FROM book WHERE ") + kSameBookQuestion + QStringLiteral(" AND redo_rights >= 2"),
            key.values());
    }
}

void RecordWrites::testReading(TestId test, const ReadingSettings& settings)
{
    run(db_, QStringLiteral("UPDATE tests SET reading_pace = ?, reading_twice = ?, reading_auto_ask = ?,"
                            " reading_gap_seconds = ?, reading_hide_question = ? WHERE id = ?"),
        {catalogueText(paceKey(settings.pace)), settings.twice, settings.autoAsk, settings.gapSeconds,
         settings.hideQuestion, test});
}

void RecordWrites::keepReading(qint64 pupil, const ReadingSettings& settings)
{
    run(db_, QStringLiteral("INSERT OR REPLACE INTO reading_settings (pupil_id, pace, twice, auto_ask, gap_seconds,"
                            " hide_question) SELECT id, ?, ?, ?, ?, ? FROM pupils WHERE id = ?"),
        {catalogueText(paceKey(settings.pace)), settings.twice, settings.autoAsk, settings.gapSeconds,
         settings.hideQuestion, pupil});
}

void RecordWrites::playbackReached(TestId test)
{
    run(db_, QStringLiteral("UPDATE tests SET playback_reached = 1 WHERE id = ?"), {test});
}

void RecordWrites::endTest(TestId test, TestEnd end, const QString& stopwatchText,
                           const std::optional<FluencyResult>& result)
{
    const std::optional<int> hundredths = end == TestEnd::Finished ? stopwatchHundredths(stopwatchText) : std::nullopt;
    Transaction transaction(db_);
    if (result)
        fluencyResult(test, *result);
    run(db_, QStringLiteral("UPDATE tests SET ended = ?, time = ?, centis = ? WHERE id = ? AND ended IS NULL"),
        {testEndKey(end), stopwatchText.isEmpty() ? QVariant() : QVariant(stopwatchText),
         hundredths ? QVariant(*hundredths) : QVariant(), test});
    transaction.commit();
}

Pupil RecordWrites::ensureCurrentPupil(const QString& defaultName, bool* made)
{
    Transaction transaction(db_);
    const bool none = scalar(db_, QStringLiteral("SELECT count(*) FROM pupils")).toInt() == 0;
    if (none)
        run(db_, QStringLiteral("INSERT INTO pupils (name) VALUES (?)"), {defaultName});
    const RecordReader reader(db_);
    qint64 current = reader.savedCurrentPupil().value_or(0);
    if (current == 0) {
        current = scalar(db_, QStringLiteral("SELECT min(id) FROM pupils")).toLongLong();
        run(db_, QStringLiteral("INSERT OR REPLACE INTO settings (key, value) VALUES ('current_pupil', ?)"), {current});
    }
    const QString name = scalar(db_, QStringLiteral("SELECT name FROM pupils WHERE id = ?"), {current}).toString();
    transaction.commit();
    if (made)
        *made = none;
    return Pupil{current, name};
}

Pupil RecordWrites::currentPupil(qint64 chosen)
{
    // Another copy on the same record may have saved another choice meanwhile:
    // this copy's own choice stays while that pupil exists.
    QSqlQuery found = run(db_, QStringLiteral("SELECT id, name, 0 AS saved FROM pupils WHERE id = ? UNION ALL"
                                              " SELECT p.id, p.name, 1 FROM settings s JOIN pupils p ON p.id = s.value"
                                              " WHERE s.key = 'current_pupil' ORDER BY saved"),
                          {chosen});
    return nextRow(found) ? Pupil{found.value(0).toLongLong(), found.value(1).toString()} : Pupil{};
}

void RecordWrites::setCurrentPupil(qint64 id)
{
    run(db_, QStringLiteral("INSERT OR REPLACE INTO settings (key, value) SELECT 'current_pupil', id FROM pupils"
                            " WHERE id = ?"),
        {id});
}

// Names kept by earlier versions may hold what pupilName() now drops.
bool RecordWrites::nameFree(const QString& name, qint64 except)
{
    QSqlQuery names = run(db_, QStringLiteral("SELECT name FROM pupils WHERE id <> ?"), {except});
    while (nextRow(names))
        if (samePupilName(names.value(0).toString(), name))
            return false;
    return true;
}

std::optional<Pupil> RecordWrites::addPupil(const QString& name)
{
    const QString wanted = pupilName(name).name;
    Transaction transaction(db_);
    if (wanted.isEmpty() || !nameFree(wanted, 0))
        return std::nullopt;
    QSqlQuery insert = run(db_, QStringLiteral("INSERT INTO pupils (name) VALUES (?)"), {wanted});
    const Pupil added{insert.lastInsertId().toLongLong(), wanted};
    transaction.commit();
    return added;
}

bool RecordWrites::renamePupil(qint64 id, const QString& name)
{
    const QString wanted = pupilName(name).name;
    Transaction transaction(db_);
    if (wanted.isEmpty() || !nameFree(wanted, id))
        return false;
    if (run(db_, QStringLiteral("UPDATE pupils SET name = ? WHERE id = ?"), {wanted, id}).numRowsAffected() != 1)
        return false;
    transaction.commit();
    return true;
}

bool RecordWrites::removePupil(qint64 id)
{
    Transaction transaction(db_);
    if (scalar(db_, QStringLiteral("SELECT count(*) FROM pupils")).toInt() <= 1)
        return false;
    if (run(db_, QStringLiteral("DELETE FROM pupils WHERE id = ?"), {id}).numRowsAffected() != 1)
        return false;
    // The first pupil becomes the current one only when the current one was removed.
    run(db_, QStringLiteral("INSERT OR REPLACE INTO settings (key, value) SELECT 'current_pupil', id FROM pupils"
                            " WHERE NOT EXISTS (SELECT 1 FROM settings s JOIN pupils p ON p.id = s.value"
                            " WHERE s.key = 'current_pupil') ORDER BY id LIMIT 1"));
    transaction.commit();
    return true;
}

void RecordWrites::setInBook(qint64 questionId, bool inBook)
{
    Transaction transaction(db_);
    bookUnderNormalWindow(questionId, inBook);
    transaction.commit();
}

void RecordWrites::bookUnderNormalWindow(qint64 questionId, bool inBook)
{
    QSqlQuery found = questionRow(db_, questionId,
                                  QStringLiteral("t.pupil_id, t.started, e.operation, e.level_option, e.level_caption,"
                                                 " e.number_type, q.first, q.second, q.third, q.answer"));
    if (!nextRow(found))
        return;
    const QString operation = found.value(2).toString();
    const std::optional<Operation> op = operationFromKey(operation.toStdString());
    if (!op)
        return;
    const Exercise normal{catalogueText(operationInfo(*op).normalWindow),
                          operation, QStringLiteral("normal"), found.value(3).toString(), found.value(4).toString(),
                          found.value(5).toString()};
    BookKey key{found.value(0).toLongLong(), 0, questionAt(found, 6)};
    const qint64 when = found.value(1).toLongLong();
    found.finish();
    key.exercise = exerciseId(normal);
    if (inBook)
        bookWrong(db_, key, when);
    else
        run(db_, QStringLiteral("DELETE FROM book WHERE ") + kSameBookQuestion, key.values());
}

void RecordWrites::fluencyResult(TestId test, const FluencyResult& result)
{
    run(db_, QStringLiteral("INSERT OR REPLACE INTO fluency_results (test_id, fluency_test, limit_seconds, total,"
                            " correct, elapsed_ms, passed) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {test, result.test, result.limitSeconds > 0 ? QVariant(result.limitSeconds) : QVariant(), result.questions,
         result.correct, result.elapsedMs, result.passed ? 1 : 0});
}

} // namespace zorvel::records

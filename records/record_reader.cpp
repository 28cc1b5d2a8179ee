// The read queries. Exercises and pupils are read once per call and shared
// between the rows, so a long list costs one pass over the tests.
#include "records/record_reader.h"

#include "records/sql_support.h"

#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <limits>

namespace zorvel::records {

namespace {

const QString kExerciseOrder = QStringLiteral(
    "e.window, length(e.level_option), e.level_option, e.number_type <> 'integer', e.number_type");

// Turns stored instants into local times. Asking the system zone for every
// row costs microseconds; the offset from UTC changes only at the zone's
// transitions, so it is looked up once per stretch between two of them.
class LocalTimes {
public:
    QDateTime at(const QVariant& stored)
    {
        const qint64 ms = stored.toLongLong();
        if (!zone_.isValid())
            return QDateTime::fromMSecsSinceEpoch(ms);
        if (ms < from_ || ms >= to_)
            lookUp(ms);
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offset_);
    }

private:
    void lookUp(qint64 ms)
    {
        const QDateTime utc = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        offset_ = zone_.offsetFromUtc(utc);
        const QTimeZone::OffsetData before = zone_.previousTransition(utc.addMSecs(1));
        const QTimeZone::OffsetData after = zone_.nextTransition(utc);
        from_ = before.atUtc.isValid() ? before.atUtc.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
        to_ = after.atUtc.isValid() ? after.atUtc.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
    }

    QTimeZone zone_ = QTimeZone::systemTimeZone();
    qint64 from_ = 0, to_ = 0;
    int offset_ = 0;
};

// An exercise's six columns, window to number type, from column on.
Exercise exerciseAt(const QSqlQuery& query, int column)
{
    return Exercise{query.value(column).toString(),     query.value(column + 1).toString(),
                    query.value(column + 2).toString(), query.value(column + 3).toString(),
                    query.value(column + 4).toString(), query.value(column + 5).toString()};
}

// A row's pupil or exercise; a default for a dangling reference in a file
// that was not written by this program.
template <typename Value>
Value known(const std::map<qint64, Value>& values, const QVariant& id)
{
    const auto found = values.find(id.toLongLong());
    return found == values.end() ? Value() : found->second;
}

std::map<qint64, QString> pupilNames(const QSqlDatabase& db)
{
    std::map<qint64, QString> names;
    QSqlQuery query = run(db, QStringLiteral("SELECT id, name FROM pupils"));
    while (nextRow(query))
        names.emplace(query.value(0).toLongLong(), query.value(1).toString());
    return names;
}

} // namespace

QSqlQuery questionRow(const QSqlDatabase& db, qint64 questionId, const QString& columns)
{
    return run(db, QStringLiteral("SELECT ") + columns +
                       QStringLiteral(" FROM questions q JOIN tests t ON t.id = q.test_id"
                                      " JOIN exercises e ON e.id = t.exercise_id WHERE q.id = ?"),
               {questionId});
}

QuestionShown questionAt(const QSqlQuery& query, int column)
{
    QuestionShown question;
    for (int i = 0; i < 3; ++i)
        question.operands[static_cast<std::size_t>(i)] = query.value(column + i).toString();
    question.correctAnswer = query.value(column + 3).toString();
    return question;
}

QString stopwatchText(qint64 ms)
{
    const qint64 hundredths = std::max<qint64>(ms, 0) / 10;
    return QStringLiteral("%1:%2.%3")
        .arg(hundredths / 6000)
        .arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

std::optional<int> stopwatchHundredths(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+):(\\d\\d)\\.(\\d\\d)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return (match.captured(1).toInt() * 60 + match.captured(2).toInt()) * 100 + match.captured(3).toInt();
}

std::map<qint64, Exercise> RecordReader::exercises() const
{
    std::map<qint64, Exercise> found;
    QSqlQuery query = run(db_, QStringLiteral("SELECT id, window, operation, mode, level_option, level_caption,"
                                              " number_type FROM exercises"));
    while (nextRow(query))
        found.emplace(query.value(0).toLongLong(), exerciseAt(query, 1));
    return found;
}

std::vector<Pupil> RecordReader::pupils() const
{
    std::vector<Pupil> found;
    QSqlQuery query = run(db_, QStringLiteral("SELECT id, name FROM pupils ORDER BY id"));
    while (nextRow(query))
        found.push_back(Pupil{query.value(0).toLongLong(), query.value(1).toString()});
    return found;
}

std::optional<qint64> RecordReader::savedCurrentPupil() const
{
    const QVariant id = scalar(db_, QStringLiteral("SELECT p.id FROM settings s JOIN pupils p ON p.id = s.value"
                                                   " WHERE s.key = 'current_pupil'"));
    if (id.isNull())
        return std::nullopt;
    return id.toLongLong();
}

std::pair<int, int> RecordReader::pupilRecordCount(qint64 pupil) const
{
    return {scalar(db_, QStringLiteral("SELECT count(*) FROM tests WHERE pupil_id = ?"), {pupil}).toInt(),
            scalar(db_, QStringLiteral("SELECT count(*) FROM book WHERE pupil_id = ?"), {pupil}).toInt()};
}

ReadingSettings RecordReader::readingSettings(qint64 pupil) const
{
    QSqlQuery query = run(db_, QStringLiteral("SELECT pace, twice, auto_ask, gap_seconds, hide_question"
                                                   " FROM reading_settings WHERE pupil_id = ?"), {pupil});
    if (!nextRow(query))
        return {};
    // Read back through the text form, which leaves out what this program
    // does not offer.
    const ReadingSettings kept{paceFromKey(query.value(0).toString().toStdString()).value_or(SpeechPace::Normal),
                               query.value(1).toBool(), query.value(2).toBool(), query.value(3).toInt(),
                               query.value(4).toBool()};
    return readingSettingsFromText(readingSettingsText(kept));
}

std::vector<TestRow> RecordReader::tests(const TestFilter& filter) const
{
    // The first answers of the test's questions: how many, and how many wrong.
    const QString firstAnswers = QStringLiteral("(SELECT count(*) FROM questions q JOIN answers a ON a.question_id = q.id"
                                                " AND a.seq = 1 WHERE q.test_id = t.id");
    QString sql = QStringLiteral("SELECT t.id, t.pupil_id, t.exercise_id, t.started, t.questions, t.wrong_answers,"
                                 " t.time, t.ended, t.playback_reached, t.redo, ") +
                  firstAnswers + QStringLiteral("), ") + firstAnswers + QStringLiteral(" AND a.is_right = 0), ") +
                  (hasFluencyResults() ? QStringLiteral("f.fluency_test, f.limit_seconds, f.total, f.correct,"
                                                        " f.elapsed_ms, f.passed FROM tests t LEFT JOIN fluency_results f"
                                                        " ON f.test_id = t.id")
                                       : QStringLiteral("NULL, NULL, NULL, NULL, NULL, NULL FROM tests t")) +
                  QStringLiteral(" JOIN exercises e ON e.id = t.exercise_id WHERE t.ended IS NOT NULL");
    QVariantList values;
    const auto where = [&](const char* condition, const QVariant& value) {
        sql += QLatin1String(" AND ") + QLatin1String(condition);
        values << value;
    };
    if (filter.pupil)
        where("t.pupil_id = ?", *filter.pupil);
    if (filter.since)
        where("t.started >= ?", filter.since->startOfDay().toMSecsSinceEpoch());
    if (filter.until)
        where("t.started < ?", filter.until->addDays(1).startOfDay().toMSecsSinceEpoch());
    if (!filter.operation.isEmpty())
        where("e.operation = ?", filter.operation);
    if (!filter.mode.isEmpty())
        where("e.mode = ?", filter.mode);
    sql += QLatin1String(" ORDER BY t.started DESC, t.id DESC");

    const std::map<qint64, Exercise> exerciseList = exercises();
    const std::map<qint64, QString> names = pupilNames(db_);
    LocalTimes local;
    std::vector<TestRow> rows;
    QSqlQuery query = run(db_, sql, values);
    while (nextRow(query)) {
        TestRow row;
        row.id = query.value(0).toLongLong();
        row.pupil = known(names, query.value(1));
        row.exercise = known(exerciseList, query.value(2));
        row.started = local.at(query.value(3));
        row.questions = query.value(4).toInt();
        row.wrongAnswers = query.value(5).toInt();
        row.time = query.value(6).toString();
        row.ended = testEndFromKey(query.value(7).toString()).value_or(TestEnd::Interrupted);
        row.playbackReached = query.value(8).toBool();
        row.redo = query.value(9).toBool();
        row.answered = query.value(10).toInt();
        row.wrongQuestions = query.value(11).toInt();
        if (!query.value(12).isNull())
            row.fluency = FluencyResult{query.value(12).toString(), query.value(13).toInt(), query.value(14).toInt(),
                                        query.value(15).toInt(), query.value(16).toLongLong(), query.value(17).toBool()};
        // A 达标测试 has as many questions as it asks, however many were
        // shown before it was handed in, and the time it took.
        if (row.fluency) {
            row.questions = row.fluency->questions;
            row.time = stopwatchText(row.fluency->elapsedMs);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

bool RecordReader::hasFluencyResults() const
{
    // A record that could not be brought up to date is still read as it is.
    return scalar(db_, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'fluency_results'")).toInt() > 0;
}

std::optional<FluencyBest> RecordReader::fluencyBest(qint64 pupil, const QString& test) const
{
    if (!hasFluencyResults())
        return std::nullopt;
    QSqlQuery query = run(db_, QStringLiteral("SELECT f.correct, f.elapsed_ms, t.started FROM fluency_results f"
                                              " JOIN tests t ON t.id = f.test_id WHERE t.pupil_id = ?"
                                              " AND f.fluency_test = ? AND f.passed = 1"
                                              " ORDER BY f.correct DESC, f.elapsed_ms, t.started LIMIT 1"),
                          {pupil, test});
    if (!nextRow(query))
        return std::nullopt;
    LocalTimes local;
    return FluencyBest{query.value(0).toInt(), query.value(1).toLongLong(), local.at(query.value(2))};
}

QString RecordReader::lastFluencyTest(qint64 pupil) const
{
    if (!hasFluencyResults())
        return {};
    return scalar(db_, QStringLiteral("SELECT f.fluency_test FROM fluency_results f JOIN tests t ON t.id = f.test_id"
                                      " WHERE t.pupil_id = ? ORDER BY t.started DESC, t.id DESC LIMIT 1"),
                  {pupil})
        .toString();
}

std::vector<BestTime> RecordReader::bestTimes(qint64 pupil) const
{
    // One index seek per exercise: its fastest time of a test without a wrong
    // answer, the earliest of equals; normal mode only (a daily practice is
    // timed too, but asks other questions every day).
    QSqlQuery query = run(db_, QStringLiteral("SELECT e.window, e.operation, e.mode, e.level_option, e.level_caption,"
                                              " e.number_type, t.time, t.started FROM exercises e"
                                              " JOIN tests t ON t.id = (SELECT id FROM tests WHERE pupil_id = ?"
                                              " AND exercise_id = e.id AND centis IS NOT NULL AND wrong_answers = 0"
                                              " ORDER BY centis, started LIMIT 1) WHERE e.mode = 'normal' ORDER BY ") +
                              kExerciseOrder,
                          {pupil});
    std::vector<BestTime> best;
    LocalTimes local;
    while (nextRow(query))
        best.push_back(BestTime{exerciseAt(query, 0), query.value(6).toString(), local.at(query.value(7))});
    return best;
}

std::vector<ChartPoint> RecordReader::chart(qint64 pupil, const QString& window, const QString& levelOption,
                                            const QString& numberType) const
{
    QSqlQuery query = run(db_, QStringLiteral("SELECT t.started, t.centis, (SELECT count(*) FROM questions q"
                                              " JOIN answers a ON a.question_id = q.id AND a.seq = 1"
                                              " WHERE q.test_id = t.id AND a.is_right = 0) FROM tests t"
                                              " WHERE t.pupil_id = ? AND t.exercise_id = (SELECT id FROM exercises"
                                              " WHERE window = ? AND level_option = ? AND number_type = ?)"
                                              " AND t.ended = 'finished' AND t.centis IS NOT NULL ORDER BY t.started"),
                          {pupil, window, levelOption, numberType});
    std::vector<ChartPoint> points;
    LocalTimes local;
    while (nextRow(query))
        points.push_back(ChartPoint{local.at(query.value(0)), query.value(1).toInt() / 100.0, query.value(2).toInt()});
    return points;
}

std::vector<Mistake> RecordReader::mistakes(qint64 pupil) const
{
    QSqlQuery query = run(db_, QStringLiteral("SELECT b.id, b.exercise_id, b.first, b.second, b.third, b.answer,"
                                              " b.times_wrong, b.last_wrong FROM book b"
                                              " JOIN exercises e ON e.id = b.exercise_id WHERE b.pupil_id = ?"
                                              " ORDER BY ") + kExerciseOrder + QStringLiteral(", b.entered, b.id"),
                          {pupil});
    const std::map<qint64, Exercise> exerciseList = exercises();
    std::vector<Mistake> found;
    LocalTimes local;
    while (nextRow(query))
        found.push_back(Mistake{query.value(0).toLongLong(), known(exerciseList, query.value(1)), questionAt(query, 2),
                                query.value(6).toInt(), local.at(query.value(7))});
    return found;
}

std::vector<ListeningQuestion> RecordReader::listeningQuestions(TestId test) const
{
    QSqlQuery query = run(db_, QStringLiteral(
        "SELECT q.id, q.number, q.first, q.second, q.third, q.answer, EXISTS (SELECT 1 FROM book b"
        "  JOIN exercises be ON be.id = b.exercise_id WHERE b.pupil_id = t.pupil_id AND be.mode = 'normal'"
        "  AND be.operation = e.operation AND be.level_option = e.level_option AND be.number_type = e.number_type"
        "  AND b.first = q.first AND b.second = q.second AND b.third = q.third)"
        " FROM questions q JOIN tests t ON t.id = q.test_id JOIN exercises e ON e.id = t.exercise_id"
        " WHERE q.test_id = ? ORDER BY q.number"), {test});
    std::vector<ListeningQuestion> found;
    while (nextRow(query))
        found.push_back(ListeningQuestion{query.value(0).toLongLong(), query.value(1).toInt(), questionAt(query, 2),
                                          query.value(6).toBool()});
    return found;
}

std::vector<QuestionShown> RecordReader::redoQuestions(qint64 pupil, const Exercise& exercise) const
{
    QSqlQuery query = run(db_, QStringLiteral("SELECT first, second, third, answer FROM book WHERE pupil_id = ?"
                                              " AND exercise_id = (SELECT id FROM exercises WHERE window = ?"
                                              " AND level_option = ? AND number_type = ?) ORDER BY entered, id"),
                          {pupil, exercise.window, exercise.levelOption, exercise.numberType});
    std::vector<QuestionShown> found;
    while (nextRow(query))
        found.push_back(questionAt(query, 0));
    return found;
}

} // namespace zorvel::records

// Writes a record of ten years of daily practice for three pupils (60,000
// tests, about 900,000 answers) for the records benchmarks:
//   generate_records FILE [LAYOUT]
// The layout is the store's own (migrate()), or an older one (LAYOUT 1: the
// migration benchmark); rows are written in bulk in
// one transaction, with the counters and the mistakes book as the store
// would leave them (most booked questions since redone and gone).
#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "records/schema.h"
#include "records/sql_support.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace zorvel::records;

namespace {

constexpr int kPupils = 3;
constexpr int kTests = 60000;
constexpr int kDays = 3652;

QSqlQuery prepared(const QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw SqlFailure(query.lastError());
    return query;
}

void exec(QSqlQuery& query, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        throw SqlFailure(query.lastError());
}

// Every exercise the windows offer, in both modes: id -> (mode is listening).
std::vector<bool> addExercises(const QSqlDatabase& db)
{
    QSqlQuery insert = prepared(db, "INSERT INTO exercises (window, operation, mode, level_option, level_caption,"
                                    " number_type) VALUES (?, ?, ?, ?, ?, ?)");
    const char* const types[] = {"integer", "1dp", "2dp"};
    std::vector<bool> listening{false};
    for (const zorvel::Exercise& e : zorvel::offeredExercises()) {
        const zorvel::OperationInfo& info = zorvel::operationInfo(e.operation);
        for (bool listens : {false, true}) {
            exec(insert, {zorvel::catalogueText(listens ? info.listeningWindow : info.normalWindow), zorvel::catalogueText(info.key),
                          listens ? "listening" : "normal", zorvel::catalogueText(zorvel::levelOptionName(e.operation, e.level)),
                          zorvel::catalogueText(zorvel::levelCaption(e.operation, e.level)), types[int(e.type)]});
            listening.push_back(listens);
        }
    }
    return listening;
}

// A stopwatch reading as the window shows it: "4:03.15".
QString stopwatchText(int centis)
{
    return QStringLiteral("%1:%2.%3")
        .arg(centis / 6000)
        .arg(centis / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(centis % 100, 2, 10, QLatin1Char('0'));
}

// 85 % finished, then restarted, reset, reminder and closed.
const char* endedKey(int percentile)
{
    return percentile <= 85 ? "finished" : percentile <= 90 ? "restarted" : percentile <= 93 ? "reset"
                                         : percentile <= 95 ? "reminder" : "closed";
}

void generate(const QSqlDatabase& db)
{
    run(db, "PRAGMA synchronous = OFF");
    Transaction transaction(db);
    run(db, "PRAGMA defer_foreign_keys = ON");  // a test row follows its questions
    for (int p = 1; p <= kPupils; ++p)
        run(db, "INSERT INTO pupils (name) VALUES (?)", {QStringLiteral("学生%1").arg(p)});
    run(db, "INSERT INTO settings (key, value) VALUES ('current_pupil', 1)");
    const std::vector<bool> listening = addExercises(db);

    std::mt19937 random(20261207);
    const auto draw = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
    QSqlQuery test = prepared(db, "INSERT INTO tests (id, pupil_id, exercise_id, started, redo, questions, wrong_answers,"
                                  " playback_reached, ended, time, centis) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    QSqlQuery question = prepared(db, "INSERT INTO questions (test_id, number, first, second, third, answer)"
                                      " VALUES (?, ?, ?, ?, '', ?)");
    QSqlQuery answer = prepared(db, "INSERT INTO answers (question_id, seq, text, is_right, ms) VALUES (?, ?, ?, ?, ?)");
    QSqlQuery book = prepared(db, "INSERT OR IGNORE INTO book (pupil_id, exercise_id, first, second, third, answer,"
                                  " times_wrong, entered, last_wrong) VALUES (?, ?, ?, ?, '', ?, 1, ?, ?)");
    const qint64 firstDay = QDateTime(QDate(2016, 12, 1), QTime(16, 0)).toMSecsSinceEpoch();
    qint64 questionId = 0, answers = 0;
    for (int id = 1; id <= kTests; ++id) {
        const int pupil = (id - 1) % kPupils + 1;
        const bool listens = draw(1, 10) == 1;  // exercises alternate normal, listening
        const int exercise = 2 * draw(0, int(listening.size()) / 2 - 1) + 1 + (listens ? 1 : 0);
        const qint64 started = firstDay + qint64((id - 1) / kPupils) * kDays * 86400000LL / (kTests / kPupils) +
                               draw(0, 4 * 3600) * 1000LL;
        const int roll = draw(1, 100);
        const bool finished = roll <= 85;
        const int questions = listens ? 20 : finished ? 10 : draw(1, 10);
        int wrong = 0;
        for (int n = 1; n <= questions; ++n) {
            const int a = draw(10, 99), b = draw(1, 9);
            exec(question, {id, n, QString::number(a), QString::number(b), QString::number(a + b)});
            ++questionId;
            const int wrongHere = listens ? 0 : draw(0, 99) < 45 ? draw(1, 2) : 0;
            const int typed = listens ? draw(0, 1) : wrongHere + 1;  // listening: written on paper, or typed
            for (int seq = 1; seq <= typed; ++seq)
                exec(answer, {questionId, seq, QString::number(seq <= wrongHere ? a + b + 1 : a + b),
                              seq > wrongHere ? 1 : 0, draw(800, 9000)});
            answers += typed;
            wrong += wrongHere;
            if (wrongHere > 0 && draw(1, 20) == 1)  // most booked questions have since been redone
                exec(book, {pupil, listens ? exercise - 1 : exercise, QString::number(a), QString::number(b),
                            QString::number(a + b), started, started});
        }
        const int centis = draw(4000, 30000);
        const bool timed = finished && !listens;
        exec(test, {id, pupil, exercise, started, 0, questions, wrong, listens && finished ? 1 : 0, endedKey(roll),
                    timed ? QVariant(stopwatchText(centis)) : QVariant(), timed ? QVariant(centis) : QVariant()});
    }
    transaction.commit();
    std::printf("%d tests, %lld questions, %lld answers, %d in the book\n", kTests, questionId, answers,
                scalar(db, "SELECT count(*) FROM book").toInt());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int layout = argc == 3 ? std::atoi(argv[2]) : kSchemaVersion;
    if (argc < 2 || argc > 3 || layout < 1 || layout > kSchemaVersion) {
        std::fprintf(stderr, "usage: generate_records FILE [LAYOUT]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile::remove(path);
    try {
        const QSqlDatabase db = openConnection("generate", path, false);
        migrate(db, layout);
        generate(db);
        run(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    } catch (const SqlFailure& failure) {
        std::fprintf(stderr, "generate_records: %s\n", qPrintable(failure.text()));
        return 1;
    }
    closeConnection("generate");
    return 0;
}

// Records tests through the SQLite store, as the drill windows will.
//
//   record_driver DB fixture      a few tests of two pupils (zorvel-records' test)
//   record_driver DB crash N      normal tests until the record holds N; every
//                                 answer is printed once the store has it on disk
//   record_driver DB check LOG    reopens the record and checks that every answer
//                                 printed in LOG is there and no test is left running
//   record_driver DB open         opens the record as the program does (bringing
//                                 an older one up to date) and closes it
//   record_driver DB damaged      150 tests of 学生1, one page of their index garbage
//   record_driver DB wal-copy DIR a record whose copy in DIR holds 小红 only in its -wal
//   record_driver DB rename NAME  names the last pupil NAME as another program might,
//                                 and writes NAME as its tests' time and its mistakes' operands
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/records/planted_records.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace zorvel::records;

namespace {

const QDateTime kBase(QDate(2026, 3, 2), QTime(16, 0, 0));

QuestionShown sum(int first, int second)
{
    return QuestionShown{{QString::number(first), QString::number(second), QString()}, QString::number(first + second)};
}

TestId normalTest(RecordStore& store, const Exercise& exercise, int index, TestEnd end, int questions)
{
    const TestId id = store.beginTest(exercise, kBase.addSecs(3600 * index), false);
    for (int n = 1; n <= questions; ++n) {
        store.recordQuestion(id, n, sum(10 + index, n));
        if (n % 4 == 0)
            store.recordAnswer(id, n, QStringLiteral("1"), false, 2500);
        store.recordAnswer(id, n, sum(10 + index, n).correctAnswer, true, 1800);
    }
    store.endTest(id, end, end == TestEnd::Finished ? QStringLiteral("1:07.06") : QString());
    return id;
}

int fixture(const QString& path)
{
    SqliteRecordStore store(path, QStringLiteral("小明"));
    normalTest(store, {"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"}, 0, TestEnd::Finished, 10);
    normalTest(store, {"Form83", "mixed", "normal", "Option5", "2位 + 2位", "1dp"}, 1, TestEnd::Closed, 2);
    const TestId listening =
        store.beginTest({"Form91", "add", "listening", "Option3", "20以内", "integer"}, kBase.addSecs(7200), false);
    for (int n = 1; n <= 20; ++n)
        store.recordQuestion(listening, n, sum(9, n % 9 + 1));
    store.recordPlaybackReached(listening);
    store.endTest(listening, TestEnd::Finished, QString());
    const std::optional<Pupil> other = store.addPupil(QStringLiteral("Li, \"Ann\""));
    if (!other)
        return 1;
    store.setCurrentPupil(other->id);
    normalTest(store, {"Form84", "mul", "normal", "Option3", "1位 * 1位", "integer"}, 3, TestEnd::Reminder, 5);
    const TestId fluency =
        store.beginTest({"FormFluency4", "mul", "fluency", "Option3", "1位 * 1位", "integer"}, kBase.addSecs(14400), false);
    store.recordQuestion(fluency, 1, QuestionShown{{"7", "8", ""}, "56"});
    store.recordAnswer(fluency, 1, QStringLiteral("56"), true, 1500);
    store.recordFluencyResult(fluency, FluencyResult{QStringLiteral("times-table-60"), 300, 60, 1, 300000, false});
    store.endTest(fluency, TestEnd::Finished, QString());
    // The daily practice: 7 × 8 right twice, 56 ÷ 8 wrong.
    const zorvel::facts::Day monday = kBase.date().toJulianDay();
    const int timesEight = zorvel::facts::Fact{zorvel::facts::FactSet::Mul, 7, 8}.index();
    const int byEight = zorvel::facts::Fact{zorvel::facts::FactSet::Div, 7, 8}.index();
    store.recordAnswer(zorvel::facts::FactAnswer{timesEight, true, 1500, monday, zorvel::facts::Speed::Standard});
    store.recordAnswer(zorvel::facts::FactAnswer{timesEight, true, 2500, monday + 1, zorvel::facts::Speed::Standard});
    store.recordAnswer(zorvel::facts::FactAnswer{byEight, false, 3000, monday + 1, zorvel::facts::Speed::Standard});
    // A daily practice session as the window records it: one right, one timed out.
    const TestId practice =
        store.beginTest({"frmDaily", "mul", "practice", "mul", "乘法", "integer"}, kBase.addSecs(18000), false);
    store.recordQuestion(practice, 1, QuestionShown{{"6", "7", ""}, "42"});
    store.recordAnswer(practice, 1, QStringLiteral("42"), true, 1200);
    store.recordQuestion(practice, 2, QuestionShown{{"6", "8", ""}, "48"});
    store.recordAnswer(practice, 2, QString(), false, 20000);
    store.endTest(practice, TestEnd::Finished, QStringLiteral("0:21.20"));
    store.flush();
    return store.problem().isEmpty() ? 0 : 1;
}

int crash(const QString& path, int wanted)
{
    SqliteRecordStore store(path, QStringLiteral("小明"));
    const Exercise add{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
    std::vector<qint64> latencies;
    for (int index = int(store.tests({}).size()); index < wanted; ++index) {
        const TestId id = store.beginTest(add, kBase.addSecs(3600 * index), false);
        for (int n = 1; n <= 10; ++n) {
            store.recordQuestion(id, n, sum(10 + index, n));
            const bool wrongFirst = (index + n) % 4 == 0;
            for (int seq = 1; seq <= (wrongFirst ? 2 : 1); ++seq) {
                const bool right = seq == 2 || !wrongFirst;
                const QString text = right ? sum(10 + index, n).correctAnswer : QStringLiteral("1");
                QElapsedTimer timer;
                timer.start();
                store.recordAnswer(id, n, text, right, 1000);
                store.flush();
                latencies.push_back(timer.nsecsElapsed() / 1000);
                std::printf("A %lld %d %d %s\n", id, n, seq, qPrintable(text));
                std::fflush(stdout);
            }
        }
        store.endTest(id, TestEnd::Finished, QStringLiteral("1:07.06"));
    }
    store.flush();
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty())
        std::fprintf(stderr, "answer to disk: median %lld us, 99th percentile %lld us, max %lld us (%zu answers)\n",
                     latencies[latencies.size() / 2], latencies[latencies.size() * 99 / 100], latencies.back(),
                     latencies.size());
    return store.problem().isEmpty() ? 0 : 1;
}

int check(const QString& path, const QString& logPath)
{
    {
        SqliteRecordStore store(path, QStringLiteral("小明"));
        if (!store.problem().isEmpty()) {
            std::fprintf(stderr, "reopened with a problem: %s\n", qPrintable(store.problem()));
            return 1;
        }
    }
    const QSqlDatabase db = openConnection(QStringLiteral("check"), path, true);
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly))
        return 1;
    int missing = 0, checked = 0;
    QTextStream lines(&log);
    for (QString line = lines.readLine(); !line.isNull(); line = lines.readLine()) {
        const QStringList part = line.split(QLatin1Char(' '));
        if (part.size() != 5 || part[0] != QLatin1String("A"))
            continue;  // the line being written when the driver was killed
        ++checked;
        const int found = scalar(db, QStringLiteral("SELECT count(*) FROM answers a JOIN questions q ON q.id = a.question_id"
                                                    " WHERE q.test_id = ? AND q.number = ? AND a.seq = ? AND a.text = ?"),
                                 {part[1].toLongLong(), part[2].toInt(), part[3].toInt(), part[4]})
                              .toInt();
        if (found != 1) {
            ++missing;
            std::fprintf(stderr, "lost: %s\n", qPrintable(line));
        }
    }
    const int running = scalar(db, QStringLiteral("SELECT count(*) FROM tests WHERE ended IS NULL")).toInt();
    const QString integrity = scalar(db, QStringLiteral("PRAGMA integrity_check")).toString();
    std::printf("%d answers checked, %d lost, %d tests left running, integrity %s\n", checked, missing, running,
                qPrintable(integrity));
    return missing == 0 && running == 0 && integrity == QLatin1String("ok") ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[2] == QLatin1String("fixture"))
        return fixture(args[1]);
    if (args.size() == 4 && args[2] == QLatin1String("crash"))
        return crash(args[1], args[3].toInt());
    if (args.size() == 4 && args[2] == QLatin1String("check"))
        return check(args[1], args[3]);
    if (args.size() == 3 && args[2] == QLatin1String("damaged")) {
        planted::makeRecord(args[1], 150);
        return planted::damageIndex(args[1], QStringLiteral("tests_by_pupil")) ? 0 : 1;
    }
    if (args.size() == 4 && args[2] == QLatin1String("wal-copy")) {
        planted::makeRecord(args[1], 3);
        return planted::copyWithRowsInWal(args[1], args[3]) ? 0 : 1;
    }
    if (args.size() == 4 && args[2] == QLatin1String("rename")) {
        const QSqlDatabase db = openConnection(QStringLiteral("rename"), args[1], false);
        run(db, QStringLiteral("UPDATE pupils SET name = ? WHERE id = (SELECT max(id) FROM pupils)"), {args[3]});
        run(db, QStringLiteral("UPDATE tests SET time = ? WHERE pupil_id = (SELECT max(id) FROM pupils)"), {args[3]});
        run(db, QStringLiteral("UPDATE book SET first = ?, answer = ? WHERE pupil_id = (SELECT max(id) FROM pupils)"),
            {args[3], args[3]});
        return 0;
    }
    if (args.size() == 3 && args[2] == QLatin1String("open")) {
        SqliteRecordStore store(args[1], QStringLiteral("小明"));
        std::printf("%s\n", qPrintable(store.problem()));
        return store.problem().isEmpty() ? 0 : 1;
    }
    std::fprintf(stderr, "usage: record_driver DB fixture | DB crash N | DB check LOG | DB open | DB damaged"
                         " | DB wal-copy DIR | DB rename NAME\n");
    return 2;
}

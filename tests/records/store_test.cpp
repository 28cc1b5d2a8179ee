// The SQLite record store on temporary files: layout, a recorded test read
// back, the mistakes book, pupils, and files that cannot be used.
#include "records/record_writes.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace zorvel::records;
namespace facts = zorvel::facts;

namespace {

const Exercise kAdd{"Form81", "add", "normal", "Option4", "2位 + 1位", "integer"};
const Exercise kListen{"Form91", "add", "listening", "Option4", "2位 + 1位", "integer"};
const QDateTime kMonday(QDate(2026, 3, 2), QTime(16, 30, 5));

QuestionShown question(int first, int second)
{
    return QuestionShown{{QString::number(first), QString::number(second), QString()}, QString::number(first + second)};
}

class StoreTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("data/records.db"); }
    std::unique_ptr<SqliteRecordStore> open() { return std::make_unique<SqliteRecordStore>(path(), "小明"); }

    // A normal test of ten questions 10+1 .. 10+10 (redo: the given first
    // questions, then 30+n); wrongFirst: the numbers first answered wrong.
    TestId normalTest(RecordStore& store, QDateTime started, std::vector<int> wrongFirst, bool redo = false,
                      std::vector<QuestionShown> first = {}, const QString& time = "1:07.06")
    {
        const TestId id = store.beginTest(kAdd, started, redo);
        for (int n = 1; n <= 10; ++n) {
            const QuestionShown q = n <= int(first.size()) ? first[std::size_t(n - 1)] : question(redo ? 30 : 10, n);
            store.recordQuestion(id, n, q);
            if (std::find(wrongFirst.begin(), wrongFirst.end(), n) != wrongFirst.end())
                store.recordAnswer(id, n, "0", false, 900);
            store.recordAnswer(id, n, q.correctAnswer, true, 1200);
        }
        store.endTest(id, TestEnd::Finished, time);
        return id;
    }

    QTemporaryDir dir;
};

// A clean end leaves no -wal, which would make the next start check the whole file.
// A quick run of tests is begun within a millisecond: none may share an id
// (its writes would be lost) or come out of the order it was begun in.
TEST(TestIdTest, BurstOfNewTestsGetsDistinctRisingIds)
{
    TestId previous = newTestId();
    for (int i = 0; i < 5000; ++i) {
        const TestId id = newTestId();
        ASSERT_GT(id, previous);
        previous = id;
    }
}

TEST_F(StoreTest, CleanCloseLeavesNoLog)
{
    {
        auto store = open();
        normalTest(*store, kMonday, {2});
        store->waitUntilWritten();
        EXPECT_EQ(store->tests({}).size(), 1u);
    }
    EXPECT_FALSE(QFileInfo(path() + "-wal").size() > 0);
}

TEST_F(StoreTest, EmptyFileIsGivenTheLayoutAndOneDefaultPupil)
{
    QDir().mkpath(dir.filePath("data"));
    QFile(path()).open(QIODevice::WriteOnly);  // an empty file, as a first start may leave
    {
        auto store = open();
        EXPECT_EQ(store->problem(), "");
        ASSERT_EQ(store->pupils().size(), 1u);
        EXPECT_EQ(store->currentPupil().name, "小明");
        EXPECT_TRUE(store->madeFirstPupil());
    }
    EXPECT_FALSE(open()->madeFirstPupil());
    {
        const QSqlDatabase db = openConnection("layout", path(), true);
        EXPECT_EQ(scalar(db, "PRAGMA user_version").toInt(), kSchemaVersion);
        EXPECT_EQ(scalar(db, "PRAGMA journal_mode").toString(), "wal");
        EXPECT_EQ(scalar(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table'").toInt(), 15);
    }
    closeConnection("layout");
}

TEST_F(StoreTest, NormalTestIsReadBackWithItsAnswersAndTime)
{
    auto store = open();
    const TestId id = normalTest(*store, kMonday, {3, 7});
    const TestId broken = store->beginTest(kAdd, kMonday.addSecs(600), false);
    store->recordQuestion(broken, 1, question(4, 5));
    store->recordAnswer(broken, 1, "8", false, 3000);
    store->recordAnswer(broken, 1, "7", false, 3000);
    store->recordQuestion(broken, 2, question(4, 6));
    store->recordAnswer(broken, 2, "10", true, 3000);
    store->endTest(broken, TestEnd::Closed, "");
    store->flush();

    const std::vector<TestRow> rows = store->tests({});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].id, id);
    EXPECT_EQ(rows[1].started, kMonday);
    EXPECT_EQ(rows[1].exercise.levelCaption, "2位 + 1位");
    EXPECT_EQ(rows[1].questions, 10);
    EXPECT_EQ(rows[1].wrongAnswers, 2);
    EXPECT_EQ(rows[1].wrongQuestions, 2);
    // Every wrong answer is counted, and the question wrong at the first try once.
    EXPECT_EQ(rows[0].wrongAnswers, 2);
    EXPECT_EQ(rows[0].wrongQuestions, 1);
    EXPECT_EQ(rows[0].answered, 2);
    EXPECT_EQ(rows[1].time, "1:07.06");
    EXPECT_EQ(rows[1].ended, TestEnd::Finished);
    EXPECT_EQ(rows[0].ended, TestEnd::Closed);
    EXPECT_EQ(rows[0].time, "");

    const qint64 pupil = store->currentPupil().id;
    const std::vector<ChartPoint> chart = store->chart(pupil, "Form81", "Option4", "integer");
    ASSERT_EQ(chart.size(), 1u);  // the closed test has no time
    EXPECT_DOUBLE_EQ(chart[0].seconds, 67.06);
    EXPECT_TRUE(store->bestTimes(pupil).empty());  // its only timed test had wrong answers
}

// 最好成绩: the fastest test without a wrong answer; a faster one with a
// mistake, or one with a wrong answer corrected at once, does not count, nor
// a daily practice.
TEST_F(StoreTest, BestTimesCountOnlyTestsWithoutAWrongAnswer)
{
    auto store = open();
    normalTest(*store, kMonday, {5}, false, {}, "0:41.00");
    normalTest(*store, kMonday.addSecs(600), {}, false, {}, "0:58.30");
    normalTest(*store, kMonday.addSecs(1200), {}, false, {}, "1:02.00");
    normalTest(*store, kMonday.addSecs(1800), {1, 2, 3}, false, {}, "0:30.00");
    const TestId practice =
        store->beginTest({"frmDaily", "mul", "practice", "mul", "乘法", "integer"}, kMonday.addSecs(2400), false);
    store->recordQuestion(practice, 1, {{"6", "7", ""}, "42"});
    store->recordAnswer(practice, 1, "42", true, 900);
    store->endTest(practice, TestEnd::Finished, "0:00.90");
    store->flush();
    const std::vector<BestTime> best = store->bestTimes(store->currentPupil().id);
    ASSERT_EQ(best.size(), 1u);
    EXPECT_EQ(best[0].time, "0:58.30");
    EXPECT_EQ(best[0].when, kMonday.addSecs(600));
}

TEST_F(StoreTest, BookKeepsFirstTryMistakesUntilTwoRedoTestsGetThemRight)
{
    auto store = open();
    normalTest(*store, kMonday, {3, 7});
    normalTest(*store, kMonday.addDays(1), {3});  // 10+3 wrong again; 10+7 right
    store->flush();
    const qint64 pupil = store->currentPupil().id;
    std::vector<Mistake> book = store->mistakes(pupil);
    ASSERT_EQ(book.size(), 2u);
    EXPECT_EQ(book[0].question.operands[1], "3");
    EXPECT_EQ(book[0].timesWrong, 2);
    EXPECT_EQ(book[0].lastWrong, kMonday.addDays(1));
    EXPECT_EQ(book[1].question.operands[1], "7");

    const std::vector<QuestionShown> redo = store->redoQuestions(kAdd);
    ASSERT_EQ(redo.size(), 2u);
    EXPECT_EQ(redo[0].operands[1], "3");  // oldest first
    // One redo test asking 10+3 twice counts once; a second redo test frees it.
    normalTest(*store, kMonday.addDays(2), {}, true, {redo[0], redo[0]});
    store->flush();
    EXPECT_EQ(store->mistakes(pupil).size(), 2u);
    normalTest(*store, kMonday.addDays(3), {}, true, {redo[0]});
    store->flush();
    book = store->mistakes(pupil);
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book[0].question.operands[1], "7");  // right in ordinary tests, so still in the book

    // A listening test: a ticked question joins the book under Form81.
    const TestId listening = store->beginTest(kListen, kMonday.addDays(4), false);
    for (int n = 1; n <= 20; ++n)
        store->recordQuestion(listening, n, question(20, n));
    store->recordPlaybackReached(listening);
    store->endTest(listening, TestEnd::Finished, "");
    store->flush();
    const std::vector<TestRow> listened = store->listeningTests(pupil);
    ASSERT_EQ(listened.size(), 1u);
    EXPECT_TRUE(listened[0].playbackReached);
    std::vector<ListeningQuestion> paper = store->listeningQuestions(listening);
    ASSERT_EQ(paper.size(), 20u);
    store->setInBook(paper[4].questionId, true);
    paper = store->listeningQuestions(listening);
    EXPECT_TRUE(paper[4].inBook);
    EXPECT_FALSE(paper[5].inBook);
    book = store->mistakes(pupil);
    ASSERT_EQ(book.size(), 2u);
    EXPECT_EQ(book[1].exercise.window, "Form81");
    EXPECT_EQ(book[1].question.operands[0], "20");
    store->setInBook(paper[4].questionId, false);
    EXPECT_EQ(store->mistakes(pupil).size(), 1u);
}

// A 达标测试: its result beside the test, the personal best from the
// results that passed (most correct, then the shortest time, the earlier of
// equals), the test taken last, and its wrong answers booked under the normal
// window of the exercise.
TEST_F(StoreTest, FluencyResultsGiveTheBestAndTheLastTestAndBookMistakes)
{
    const Exercise fluency{"FormFluency4", "mul", "fluency", "Option3", "1位 * 1位", "integer"};
    auto store = open();
    const qint64 pupil = store->currentPupil().id;
    const auto take = [&](QDateTime started, const QString& test, int correct, qint64 ms, bool passed) {
        const TestId id = store->beginTest(fluency, started, false);
        store->recordQuestion(id, 1, QuestionShown{{"7", "8", ""}, "56"});
        store->recordAnswer(id, 1, "54", false, 2000);
        store->recordFluencyResult(id, FluencyResult{test, 300, 60, correct, ms, passed});
        store->endTest(id, TestEnd::Finished, QString());
        return id;
    };
    take(kMonday, "times-table-60", 55, 280000, true);
    take(kMonday.addDays(1), "times-table-60", 59, 200000, false);   // no pass: no best
    take(kMonday.addDays(2), "times-table-60", 55, 270000, true);    // as many, faster
    take(kMonday.addDays(3), "times-table-60", 55, 270000, true);    // a tie keeps the earlier
    take(kMonday.addDays(4), "division-table-60", 40, 300000, false);
    store->flush();

    const std::optional<FluencyBest> best = store->fluencyBest(pupil, "times-table-60");
    ASSERT_TRUE(best);
    EXPECT_EQ(best->correct, 55);
    EXPECT_EQ(best->elapsedMs, 270000);
    EXPECT_EQ(best->when, kMonday.addDays(2));
    EXPECT_FALSE(store->fluencyBest(pupil, "division-table-60"));
    EXPECT_EQ(store->lastFluencyTest(pupil), "division-table-60");

    const std::vector<TestRow> rows = store->tests(TestFilter{pupil, "", "fluency", {}, {}});
    ASSERT_EQ(rows.size(), 5u);
    ASSERT_TRUE(rows.front().fluency);
    EXPECT_EQ(rows.front().fluency->test, "division-table-60");
    EXPECT_EQ(rows.front().fluency->correct, 40);
    EXPECT_FALSE(rows.front().fluency->passed);
    // One question shown of the sixty, and the time it took; the best
    // times stay those of the tests the stopwatch times.
    EXPECT_EQ(rows.front().questions, 60);
    EXPECT_EQ(rows.front().time, "5:00.00");
    EXPECT_TRUE(store->bestTimes(pupil).empty());

    const std::vector<Mistake> book = store->mistakes(pupil);
    ASSERT_EQ(book.size(), 1u);
    EXPECT_EQ(book.front().exercise.window, "Form84");

    EXPECT_EQ(book.front().exercise.levelOption, "Option3");
    EXPECT_EQ(book.front().question.correctAnswer, "56");
    EXPECT_EQ(book.front().timesWrong, 5);

    // A result is on disk only with its test's end: a kill in between leaves
    // neither, never an interrupted test that counts as the best.
    const TestId last = store->beginTest(fluency, kMonday.addDays(5), false);
    store->recordFluencyResult(last, FluencyResult{"times-table-60", 300, 60, 60, 1000, true});
    store->waitUntilWritten();
    EXPECT_EQ(store->fluencyBest(pupil, "times-table-60")->correct, 55);
    store->endTest(last, TestEnd::Finished, QString());
    store->waitUntilWritten();
    EXPECT_EQ(store->fluencyBest(pupil, "times-table-60")->correct, 60);
}

// A parent's week: each question of a test once, right or wrong at the
// first try (a fact's answer, also kept for the boxes, is not counted
// again), facts newly mastered, 达标 passed.
TEST_F(StoreTest, PracticeWeekCountsEachDayOfEveryPupil)
{
    auto store = open();
    normalTest(*store, kMonday, {3, 7});
    normalTest(*store, kMonday.addDays(-7), {});  // the week before
    const TestId fluency = store->beginTest({"FormFluency4", "mul", "fluency", "Option3", "1位 * 1位", "integer"},
                                            kMonday.addDays(1), false);
    store->recordQuestion(fluency, 1, question(7, 8));
    store->recordAnswer(fluency, 1, "15", true, 2000);
    store->recordFluencyResult(fluency, FluencyResult{"times-table-60", 300, 60, 58, 250000, true});
    store->endTest(fluency, TestEnd::Finished, QString());
    // 7 × 8 mastered on Tuesday: right within T twice.
    for (const QDate day : {QDate(2026, 2, 20), QDate(2026, 3, 3)})
        store->recordAnswer(facts::FactAnswer{facts::Fact{facts::FactSet::Mul, 7, 8}.index(), true, 1500,
                                              day.toJulianDay(), facts::Speed::Standard});
    store->addPupil("小红");

    const std::vector<PracticeWeek> weeks = store->practiceWeeks(QDate(2026, 3, 4));
    ASSERT_EQ(weeks.size(), 2u);
    const PracticeWeek& week = weeks[0];
    EXPECT_EQ(week.days[4].date, QDate(2026, 3, 2));
    EXPECT_EQ(week.days[4].questions, 10);
    EXPECT_EQ(week.days[4].rightFirst, 8);
    EXPECT_EQ(week.days[5].questions, 1);  // the 达标测试's question
    EXPECT_EQ(week.daysPractised(), 2);
    EXPECT_EQ(week.rightPercent(), 82);
    EXPECT_EQ(week.factsMastered, 1);
    EXPECT_EQ(week.fluencyPassed, 1);
    EXPECT_EQ(weeks[1].name, "小红");
    EXPECT_EQ(weeks[1].rightPercent(), -1);
}

TEST_F(StoreTest, PupilsAreAddedRenamedRemovedAndRemembered)
{
    qint64 second = 0;
    {
        auto store = open();
        const qint64 first = store->currentPupil().id;
        EXPECT_FALSE(store->removePupil(first));  // never the last
        EXPECT_FALSE(store->addPupil("小明"));
        EXPECT_FALSE(store->addPupil("  "));
        const std::optional<Pupil> added = store->addPupil(" 小红 ");
        ASSERT_TRUE(added);
        EXPECT_EQ(added->name, "小红");
        second = added->id;
        EXPECT_FALSE(store->renamePupil(second, "小明"));
        EXPECT_TRUE(store->renamePupil(second, "小兰"));
        store->setCurrentPupil(second);
        normalTest(*store, kMonday, {1});
        store->flush();
        EXPECT_EQ(store->pupilRecordCount(second), std::make_pair(1, 1));
        EXPECT_EQ(store->pupilRecordCount(first), std::make_pair(0, 0));
    }
    auto store = open();
    EXPECT_EQ(store->currentPupil().id, second);
    EXPECT_EQ(store->currentPupil().name, "小兰");
    EXPECT_TRUE(store->removePupil(second));
    EXPECT_EQ(store->currentPupil().name, "小明");
    EXPECT_TRUE(store->tests({}).empty());
    EXPECT_TRUE(store->mistakes(second).empty());
}

TEST_F(StoreTest, ReadingSettingsAreKeptPerPupilAndWithEachListeningTest)
{
    const zorvel::ReadingSettings slowTwice{zorvel::SpeechPace::Slow, true, true, 15, true};
    TestId test = 0;
    qint64 first = 0;
    qint64 second = 0;
    {
        auto store = open();
        first = store->currentPupil().id;
        second = store->addPupil("小红")->id;
        store->keepReadingSettings(second, slowTwice);
        test = store->beginTest(kListen, kMonday, false);
        store->recordReadingSettings(test, slowTwice);
        store->endTest(test, TestEnd::Finished, QString());
    }
    auto store = open();
    EXPECT_EQ(store->readingSettings(second), slowTwice);
    EXPECT_EQ(store->readingSettings(first), zorvel::ReadingSettings());
    store->flush();
    const QSqlDatabase db = openConnection("reading", path(), true);
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT reading_pace || reading_twice || reading_auto_ask || reading_gap_seconds"
                                        " || reading_hide_question FROM tests WHERE id = %1").arg(test)).toString(),
              "slow11151");
    closeConnection("reading");
    // Removing the pupil removes what was kept for them.
    EXPECT_TRUE(store->removePupil(second));
    store->flush();
    const QSqlDatabase again = openConnection("reading", path(), true);
    EXPECT_EQ(scalar(again, "SELECT count(*) FROM reading_settings").toInt(), 0);
    closeConnection("reading");
}

TEST_F(StoreTest, TestLeftRunningByACrashIsInterruptedAtTheNextStart)
{
    { auto store = open(); }
    {
        // A copy that crashed: its session's lock is gone.
        RecordWrites writes(openConnection("crashed", path(), false));
        writes.beginTest(41, "6f1c2a4e-0000-4000-8000-000000000001", 0, kAdd, kMonday, false);
        writes.question(41, 1, question(1, 2));
        writes.answer(41, 1, "3", true, 500);
    }
    closeConnection("crashed");
    auto store = open();
    const std::vector<TestRow> rows = store->tests({});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ended, TestEnd::Interrupted);
    EXPECT_EQ(rows[0].questions, 1);
    EXPECT_GT(store->beginTest(kAdd, kMonday, false), 41);
}

TEST_F(StoreTest, CorruptFileIsMovedAsideAndAFreshOneBegun)
{
    QDir().mkpath(dir.filePath("data"));
    QFile garbage(path());
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, 'x'));
    garbage.close();

    auto store = open();
    EXPECT_TRUE(store->problem().contains("已损坏")) << store->problem().toStdString();
    const QStringList aside = QDir(dir.filePath("data")).entryList({"records.db.broken-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(store->problem().contains(aside[0]));
    EXPECT_EQ(QFileInfo(dir.filePath("data/" + aside[0])).size(), 8192);
    normalTest(*store, kMonday, {});
    store->flush();
    EXPECT_EQ(store->tests({}).size(), 1u);
}

TEST_F(StoreTest, RecordOfANewerProgramIsLeftAlone)
{
    { auto store = open(); }
    {
        const QSqlDatabase db = openConnection("newer", path(), false);
        run(db, "PRAGMA user_version = 99");
    }
    closeConnection("newer");
    auto store = open();
    EXPECT_TRUE(store->problem().contains("更新版本")) << store->problem().toStdString();
    EXPECT_TRUE(QDir(dir.filePath("data")).entryList({"records.db.broken-*"}).isEmpty());
    normalTest(*store, kMonday, {});
    store->flush();
    EXPECT_TRUE(store->tests({}).empty());
}

TEST_F(StoreTest, FolderThatCannotBeWrittenLeavesTheDrillsUnrecorded)
{
    // /proc refuses new files even to root, unlike a folder with mode 0555.
    for (const QString& unusable : {QStringLiteral("/proc/records.db"), dir.filePath("data/records.db/x/records.db")}) {
        QDir().mkpath(dir.filePath("data"));
        QFile(dir.filePath("data/records.db")).open(QIODevice::WriteOnly);  // a file where a folder is needed
        SqliteRecordStore store(unusable, "小明");
        EXPECT_TRUE(store.problem().contains("无法写入")) << store.problem().toStdString();
        const TestId id = normalTest(store, kMonday, {2});
        EXPECT_GT(id, 0);
        store.flush();
        EXPECT_TRUE(store.tests({}).empty());
        EXPECT_EQ(store.currentPupil().name, "小明");
        EXPECT_FALSE(store.addPupil("小红"));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

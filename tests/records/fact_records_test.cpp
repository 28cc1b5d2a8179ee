// The daily practice in the record: answers stored with their boxes, the
// same boxes again when they are rebuilt from the stored answers, the plan
// per pupil, and a pupil's facts gone with the pupil.
#include "records/fact_records.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "tests/records/planted_records.h"

#include <QDir>
#include <QTemporaryDir>

#include <map>
#include <random>

#include <gtest/gtest.h>

using namespace zorvel;
using namespace zorvel::records;

namespace {

class FactRecordsTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath("records.db"); }

    // Every row of fact_boxes, in order.
    QStringList boxes() const { return planted::rowsOf(path(), "SELECT * FROM fact_boxes ORDER BY pupil_id, fact"); }

    QTemporaryDir dir;
};

// A month of practice: right or wrong, fast or slow, some timed out, at each
// speed setting, for two pupils.
std::vector<facts::FactAnswer> monthOfAnswers(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<facts::FactAnswer> answers;
    for (int day = 0; day < 30; ++day) {
        for (int n = 0; n < 20; ++n) {
            const int fact = int(random() % 40) + 2 * facts::kFactsPerSet;
            const bool right = random() % 4 != 0;
            const int ms = n % 9 == 0 ? facts::kTimeoutMs : int(500 + random() % 9000);
            answers.push_back({fact, right, ms, 2461000 + day, facts::kAllSpeeds[random() % 3]});
        }
    }
    return answers;
}

TEST_F(FactRecordsTest, BoxesKeptWithEachAnswerAreTheBoxesRebuiltFromTheAnswers)
{
    const std::vector<facts::FactAnswer> first = monthOfAnswers(1);
    const std::vector<facts::FactAnswer> second = monthOfAnswers(2);
    qint64 firstPupil = 0;
    {
        SqliteRecordStore store(path(), "小明");
        firstPupil = store.currentPupil().id;
        for (const facts::FactAnswer& answer : first)
            store.recordAnswer(answer);
        const std::optional<Pupil> other = store.addPupil("小红");
        ASSERT_TRUE(other);
        store.setCurrentPupil(other->id);
        for (const facts::FactAnswer& answer : second)
            store.recordAnswer(answer);

        const facts::FactBook kept = store.book();
        const facts::FactBook expected = facts::FactBook::rebuilt(second);
        int asked = 0;
        for (int fact = 0; fact < facts::kFactCount; ++fact) {
            const facts::FactState& k = kept.state(fact);
            const facts::FactState& e = expected.state(fact);
            asked += e.asked();
            EXPECT_EQ(k.box, e.box) << fact;
            EXPECT_EQ(k.due, e.due) << fact;
            EXPECT_EQ(k.firstDay, e.firstDay) << fact;
            EXPECT_EQ(k.attempts, e.attempts) << fact;
            EXPECT_EQ(k.rights, e.rights) << fact;
            EXPECT_EQ(k.medianMs, e.medianMs) << fact;
            EXPECT_EQ(k.isMastered(), e.isMastered()) << fact;
            EXPECT_EQ(k.colour(), e.colour()) << fact;
            EXPECT_EQ(k.missedDay, e.missedDay) << fact;
        }
        EXPECT_GT(asked, 30);
    }
    const QStringList before = boxes();
    ASSERT_FALSE(before.isEmpty());
    {
        const QSqlDatabase db = openConnection("rebuild", path(), false);
        EXPECT_EQ(readFactAnswers(db, firstPupil).size(), first.size());
        run(db, "UPDATE fact_boxes SET box = 5, due = 0, median_ms = 1");
        rebuildFactBoxes(db);
    }
    closeConnection("rebuild");
    EXPECT_EQ(boxes(), before);
}

// The first answer to a basic fact in every other mode is an attempt with
// its time (a correction is not; decimals, larger numbers, mixed questions
// and the daily practice's own test are none), and the boxes rebuilt from
// all answers are those kept answer by answer.
TEST_F(FactRecordsTest, FirstAnswersOfEveryModeAreAttemptsAndRebuildTheSameBoxes)
{
    using facts::Fact;
    using facts::FactSet;
    struct Row {
        const char* window;
        const char* operation;
        const char* mode;
        const char* type;
        std::array<QString, 3> operands;
        std::vector<std::pair<QString, bool>> answers;
    } rows[] = {
        {"Form84", "mul", "normal", "integer", {"7", "8", ""}, {{"54", false}, {"56", true}}},
        {"Form84", "mul", "normal", "integer", {"12", "3", ""}, {{"36", true}}},
        {"Form85", "div", "fluency", "integer", {"56", "8", ""}, {{"7", true}}},
        {"Form92", "sub", "listening", "integer", {"15", "8", ""}, {{"7", true}}},
        {"Form92", "sub", "listening", "integer", {"15", "7", ""}, {}},
        {"Form81", "add", "normal", "1dp", {"0.7", "0.8", ""}, {{"1.5", true}}},
        {"Form83", "mixed", "normal", "integer", {"3", "4", "5"}, {{"2", true}}},
        {"frmDaily", "mul", "practice", "integer", {"8", "7", ""}, {{"56", true}}},
    };
    SqliteRecordStore store(path(), "小明");
    const QDateTime started(QDate(2026, 12, 7), QTime(9, 0));
    for (int round = 0; round < 3; ++round) {
        for (const Row& row : rows) {
            const TestId test = store.beginTest({row.window, row.operation, row.mode, "Option3", "1位", row.type},
                                                started.addDays(round), round == 1);
            store.recordQuestion(test, 1, {row.operands, QString()});
            for (const auto& [text, right] : row.answers)
                store.recordAnswer(test, 1, text, right, 1500 + 2000 * round);
            store.endTest(test, TestEnd::Finished, "0:10.00");
        }
        store.recordAnswer(facts::FactAnswer{Fact{FactSet::Mul, 7, 8}.index(), round != 0, 2000,
                                             started.date().toJulianDay() + round, facts::Speed::Standard});
    }
    const facts::FactBook kept = store.book();
    const std::map<int, int> attempts = {{Fact{FactSet::Mul, 7, 8}.index(), 6},
                                         {Fact{FactSet::Div, 7, 8}.index(), 3},
                                         {Fact{FactSet::Sub, 7, 8}.index(), 3}};
    for (int fact = 0; fact < facts::kFactCount; ++fact) {
        const auto found = attempts.find(fact);
        EXPECT_EQ(kept.state(fact).attempts, found == attempts.end() ? 0 : found->second) << fact;
    }
    EXPECT_EQ(kept.state(Fact{FactSet::Mul, 7, 8}).rights, 2);
    EXPECT_EQ(kept.state(Fact{FactSet::Div, 7, 8}).medianMs, 3500);
    EXPECT_EQ(kept.state(Fact{FactSet::Sub, 7, 8}).firstDay, started.date().toJulianDay());

    const QStringList before = boxes();
    {
        const QSqlDatabase db = openConnection("rebuild", path(), false);
        run(db, "DELETE FROM fact_boxes");
        rebuildFactBoxes(db);
    }
    closeConnection("rebuild");
    EXPECT_EQ(boxes(), before);
}

TEST_F(FactRecordsTest, PlanPerPupilAndFactsGoWithThePupil)
{
    SqliteRecordStore store(path(), "小明");
    EXPECT_EQ(store.plan().sets, std::vector<facts::FactSet>{facts::FactSet::Mul});
    store.setPlan({{facts::FactSet::Add, facts::FactSet::Div}, facts::Speed::Gentle});
    store.recordAnswer({5, true, 1000, 2461000, facts::Speed::Gentle});
    const qint64 first = store.currentPupil().id;
    const std::optional<Pupil> other = store.addPupil("小红");
    ASSERT_TRUE(other);
    store.setCurrentPupil(other->id);
    EXPECT_EQ(store.plan().speed, facts::Speed::Standard);
    EXPECT_FALSE(store.book().state(5).asked());
    store.setCurrentPupil(first);
    EXPECT_EQ(store.plan().sets, (std::vector<facts::FactSet>{facts::FactSet::Add, facts::FactSet::Div}));
    EXPECT_EQ(store.plan().speed, facts::Speed::Gentle);
    EXPECT_EQ(store.book().state(5).box, 2);
    ASSERT_TRUE(store.removePupil(first));
    store.flush();
    EXPECT_EQ(boxes(), QStringList());
}

} // namespace

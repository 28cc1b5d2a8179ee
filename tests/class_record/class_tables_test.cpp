// The class's tables over a small class made by hand: three pupils, two on
// the class list with a third name missing, a common mistake in a test and
// in the daily practice, one 达标 passed, and a range of days.
#include "class_record/class_data.h"
#include "class_record/class_roster.h"
#include "class_record/sqlite_class_data.h"
#include "facts/fact.h"
#include "records/sql_support.h"
#include "tests/class_record/pupil_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvel;
using namespace zorvel::classroom;
using namespace zorvel::classroom::testing;

namespace {

const QDate kMonday = kSmallClassMonday;
const int k7x8 = facts::Fact{facts::FactSet::Mul, 7, 8}.index();

void readPlainly(const QString& path, const std::function<void(const QSqlDatabase&)>& use)
{
    {
        const QSqlDatabase db = records::openConnection(QStringLiteral("plain"), path, true);
        use(db);
    }
    records::closeConnection(QStringLiteral("plain"));
}

class ClassTablesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QStringList files;
        for (const PlannedPupil& pupil : smallClass()) {
            files << dir.filePath(pupil.name + QStringLiteral(".zorvel"));
            writePupilFile(files.last(), pupil);
        }
        data = std::make_unique<SqliteClassData>(dir.filePath(QStringLiteral("班级.zorvel-class")), readPlainly);
        ASSERT_EQ(data->importFiles(files).size(), 3u);
        ASSERT_EQ(data->setRoster(QStringLiteral("学号,姓名\n01,小明\n02,小红\n03,小李\n").toUtf8()), QString());
    }

    QTemporaryDir dir;
    std::unique_ptr<SqliteClassData> data;
};

TEST_F(ClassTablesTest, PupilsInClassListOrderWithTheirFigures)
{
    std::vector<QStringList> rows;
    for (const PupilSummary& row : data->pupils({}))
        rows.push_back(pupilFields(row));
    const std::vector<QStringList> expected = {
        {"小明", "01", "1", "1", "0.1", "3", "33.3", "3.0", "0", "0", "2026-09-07"},
        {"小红", "02", "2", "2", "0.1", "5", "80.0", "1.0", "1", "1", "2026-09-09"},
        {"小刚", "", "1", "1", "0.0", "1", "100.0", "1.2", "0", "0", "2026-09-10"},
    };
    EXPECT_EQ(rows, expected);
    const std::vector<PupilSummary> fromTuesday = data->pupils({kMonday.addDays(1), kMonday.addDays(2)});
    EXPECT_EQ(pupilFields(fromTuesday[0]), (QStringList{"小明", "01", "0", "0", "0.0", "0", "", "", "0", "0", ""}));
    EXPECT_EQ(fromTuesday[2].tests, 0);
    EXPECT_EQ(data->problem(), QString());
}

TEST_F(ClassTablesTest, FactsAndMistakesNameThePupilsWhoGotThemWrong)
{
    const std::vector<FactSummary> facts = data->facts({});
    ASSERT_EQ(facts.size(), 1u);
    EXPECT_EQ(factFields(facts[0]), (QStringList{"7 × 8", "mul", "2", "1", "1", "1000", "小明"}));
    const std::vector<ClassMistake> mistakes = data->mistakes({});
    ASSERT_EQ(mistakes.size(), 1u);
    EXPECT_EQ(mistakeFields(mistakes[0]), (QStringList{"7 × 8", "56", "2", "3", "小明、小红"}));
    EXPECT_EQ(mistakeFields(data->mistakes({kMonday.addDays(1), std::nullopt})[0]),
              (QStringList{"7 × 8", "56", "1", "1", "小红"}));
    const std::vector<FluencyTest> fluency = data->fluency({});
    ASSERT_EQ(fluency.size(), 1u);
    EXPECT_EQ(fluencyFields(fluency[0]).mid(2), (QStringList{"add20", "300", "1", "1", "40.0", "1.5", "1"}));
}

TEST_F(ClassTablesTest, TheClassListMatchesNamesExactlyAndSaysWhatIsMissing)
{
    const RosterMatch match = data->rosterMatch();
    EXPECT_EQ(match.pupilsNotOnList, QStringList{"小刚"});
    EXPECT_EQ(match.namesWithoutFile, QStringList{"小李"});

    const struct {
        const char* list;
        std::vector<QStringList> entries;
    } lists[] = {
        {"\xEF\xBB\xBF小明\r\n\r\n 小红 \r\n", {{"小明", ""}, {"小红", ""}}},
        {"20260101\t小明\n小红,20260102\n", {{"小明", "20260101"}, {"小红", "20260102"}}},
        {"姓名,学号,性别\n\"王, 小\",7,女\n", {{"王, 小", "7"}}},
    };
    for (const auto& list : lists) {
        const ParsedRoster roster = parseRoster(QByteArray(list.list));
        std::vector<QStringList> entries;
        for (const RosterEntry& entry : roster.entries)
            entries.push_back({entry.name, entry.studentNumber});
        EXPECT_EQ(entries, list.entries) << list.list;
    }
    EXPECT_FALSE(parseRoster("小明\n小红\n小明\n").error.isEmpty());
    EXPECT_FALSE(parseRoster("\xD0\xA1\xFF\n").error.isEmpty());
}

} // namespace

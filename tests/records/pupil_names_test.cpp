// Pupils' names: what is kept, what is refused, and names that look the same
// being the same pupil.
#include "records/pupil_names.h"
#include "records/sqlite_record_store.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

struct NameCase {
    const char* typed;
    const char* kept;     // empty: refused
    const char* refusal;  // part of the refusal
};

TEST(PupilNamesTest, NamesAreKeptVisibleAndComposedOrRefusedWithAReason)
{
    const QString forty(40, QChar(0x5B57));
    const NameCase cases[] = {
        {"  小明 ", "小明", ""},
        {"小明\u200b", "小明", ""},                      // zero-width space
        {"\u202e小明\u202c", "小明", ""},                // right-to-left override
        {"Zoe\u0301", "Zo\u00e9", ""},                   // decomposed accent
        {"", "", "不能为空"},
        {" \u200b\u2060 ", "", "不能为空"},
        {"\u3164", "", "不能为空"},                       // Hangul filler
        {"\u2800 \u115f", "", "不能为空"},               // braille blank, Hangul choseong filler
        {"张三\u3164\u034f", "张三", ""},                 // and a combining grapheme joiner
        {"小\t明", "", "控制字符"},
        {"小\u2028明", "", "控制字符"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.typed);
        const PupilName name = pupilName(QString::fromUtf8(c.typed));
        EXPECT_EQ(name.name, QString::fromUtf8(c.kept));
        EXPECT_TRUE(name.refusal.contains(QString::fromUtf8(c.refusal))) << name.refusal.toStdString();
        EXPECT_EQ(name.refusal.isEmpty(), !name.name.isEmpty());
    }
    EXPECT_EQ(pupilName(forty).name, forty);
    EXPECT_TRUE(pupilName(forty + QChar(0x5B57)).refusal.contains("最多 40 个字"));
}

TEST(PupilNamesTest, NamesThatLookTheSameAreOnePupil)
{
    QTemporaryDir dir;
    SqliteRecordStore store(dir.filePath("records.db"), "小明");
    EXPECT_FALSE(store.addPupil(QString::fromUtf8("小明\u200b")));
    const std::optional<Pupil> other = store.addPupil(QString::fromUtf8("\u202e小红"));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->name, "小红");
    EXPECT_FALSE(store.renamePupil(other->id, QString::fromUtf8("小明\ufeff")));
    EXPECT_EQ(store.pupils().size(), 2u);
}

} // namespace

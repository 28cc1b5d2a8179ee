// A record file handed over from elsewhere: what is refused and why, what
// is read, and that nothing is left beside the file or in the temporary
// folder.
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/untrusted_record.h"
#include "tests/records/planted_records.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

class UntrustedRecordTest : public testing::Test {
protected:
    void SetUp() override
    {
        savedTemp_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp_.path().toLocal8Bit());
        planted::makeRecord(record_, 3);
    }
    void TearDown() override { qputenv("TMPDIR", savedTemp_); }

    // The record with one statement run on it as another program might.
    QString changed(const QString& name, const QString& statement)
    {
        const QString path = files_.filePath(name);
        QFile::copy(record_, path);
        {
            const QSqlDatabase db = openConnection(QStringLiteral("changing"), path, false);
            run(db, statement);
        }
        closeConnection(QStringLiteral("changing"));
        return path;
    }

    QString refusal(const QString& path)
    {
        try {
            UntrustedRecord record(QStringLiteral("untrusted"), path);
        } catch (const UntrustedRecordRefused& refused) {
            return refused.reason();
        }
        return QStringLiteral("(opened)");
    }

    QStringList scratch() const { return QDir(temp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir temp_;
    QTemporaryDir files_;
    QString record_ = files_.filePath(QStringLiteral("records.db"));
    QByteArray savedTemp_;
};

TEST_F(UntrustedRecordTest, RefusesWhatIsNotAWholeRecordOfOurs)
{
    const QString fifo = files_.filePath(QStringLiteral("fifo.db"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString text = files_.filePath(QStringLiteral("text.db"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(2048, 'x')) == 2048);
    file.close();
    const QString damaged = files_.filePath(QStringLiteral("damaged.db"));
    planted::makeRecord(damaged, 150);
    ASSERT_TRUE(planted::damageIndex(damaged, QStringLiteral("tests_by_pupil")));
    // Another account's file: root hands one to "nobody", anyone else has /etc/passwd.
    QString foreign = QStringLiteral("/etc/passwd");
    if (::geteuid() == 0) {
        foreign = files_.filePath(QStringLiteral("nobody.db"));
        QFile::copy(record_, foreign);
        ASSERT_EQ(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
    }
    const QString link = files_.filePath(QStringLiteral("link.db"));
    ASSERT_TRUE(QFile::link(foreign, link));

    const std::pair<QString, const char*> cases[] = {
        {fifo, "管道"},
        {link, "链接"},
        {text, "不是 SQLite"},
        {damaged, "损坏"},
        {changed(QStringLiteral("newer.db"), QStringLiteral("PRAGMA user_version = 99")), "更新版本"},
        {changed(QStringLiteral("view.db"), QStringLiteral("CREATE VIEW r AS WITH RECURSIVE c(x) AS"
                                                           " (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c")),
         "视图 \"r\""},
        {changed(QStringLiteral("trigger.db"),
                 QStringLiteral("CREATE TRIGGER t AFTER INSERT ON pupils BEGIN DELETE FROM tests; END")),
         "触发器 \"t\""},
        {changed(QStringLiteral("generated.db"),
                 QStringLiteral("ALTER TABLE tests ADD COLUMN bomb AS (printf('%.*c', 1000000000, 'x'))")),
         "表 \"tests\""},
    };
    for (const auto& [path, reason] : cases)
        EXPECT_TRUE(refusal(path).contains(QString::fromUtf8(reason))) << qPrintable(path) << ": " << qPrintable(refusal(path));
    EXPECT_TRUE(scratch().isEmpty()) << qPrintable(scratch().join(QLatin1Char(' ')));
}

TEST_F(UntrustedRecordTest, ReadsOwnTablesFromACopyItRemoves)
{
    const QString link = files_.filePath(QStringLiteral("mine.db"));
    ASSERT_TRUE(QFile::link(record_, link));
    const QStringList before = QDir(files_.path()).entryList(QDir::Files);
    {
        UntrustedRecord record(QStringLiteral("untrusted"), link);
        EXPECT_EQ(record.layout(), kSchemaVersion);
        QSqlQuery names = record.readTable(QStringLiteral("pupils"), {QStringLiteral("name")});
        ASSERT_TRUE(nextRow(names));
        EXPECT_EQ(names.value(0).toString(), QStringLiteral("学生1"));
        EXPECT_THROW(record.readTable(QStringLiteral("sqlite_master"), {QStringLiteral("sql")}), SqlFailure);
        EXPECT_EQ(scratch().size(), 1);
    }
    EXPECT_TRUE(scratch().isEmpty());
    EXPECT_EQ(QDir(files_.path()).entryList(QDir::Files), before);
    UntrustedRecord older(QStringLiteral("untrusted"), QStringLiteral(ZORVEL_RECORDS_TEST_DATA "/records-v1.db"));
    EXPECT_EQ(older.layout(), 1);
}

// The copy of a run that was killed (its lock is free) goes at the next
// open; a running one's stays.
TEST_F(UntrustedRecordTest, RemovesCopiesOfEndedRuns)
{
    const QString dead = temp_.filePath(QStringLiteral("zorvel-record-dead01"));
    ASSERT_TRUE(QDir().mkpath(dead));
    QFile::copy(record_, dead + QStringLiteral("/record.db"));
    QFile lock(dead + QStringLiteral("/owner.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.close();
    UntrustedRecord living(QStringLiteral("living"), record_);
    EXPECT_FALSE(QFileInfo::exists(dead));
    UntrustedRecord second(QStringLiteral("second"), record_);
    EXPECT_EQ(scratch().size(), 2);
}

TEST_F(UntrustedRecordTest, StopsAStatementThatRunsPastTheLimit)
{
    UntrustedRecord record(QStringLiteral("untrusted"), record_, std::chrono::milliseconds(50));
    EXPECT_THROW(scalar(record.db(), QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c)"
                                                    " SELECT count(*) FROM c")),
                 SqlFailure);
}

} // namespace

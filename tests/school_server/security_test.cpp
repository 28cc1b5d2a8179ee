// Row-level security on a real server, role by table by reading and writing:
// a pupil's login reads and writes only its own rows, a teacher's login reads
// its classes' rows and writes none; the database refuses the rest.
#include "school_server/school_admin.h"
#include "school_server/server_schema.h"
#include "tests/school_server/throwaway_cluster.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace zorvel::school;
using zorvel::school::testing::ThrowawayCluster;

namespace {

// A row of each table for the pupil %1 (its test %2, whose question 1 exists).
const std::map<QString, QString> kNewRow = {
    {"tests", "INSERT INTO zorvel.tests (id, pupil_id, win, operation, mode, level_option, level_caption,"
              " number_type, started, redo, questions, wrong_answers, playback_reached, ended) VALUES"
              " (gen_random_uuid(), '%1', 'Form81', 'add', 'normal', 'Option1', '1位 + 1位', 'integer', now(),"
              " false, 10, 0, false, 'finished')"},
    {"questions", "INSERT INTO zorvel.questions VALUES ('%2', '%1', 2 + (random() * 1e6)::int, '1', '2', '', '3')"},
    {"answers", "INSERT INTO zorvel.answers VALUES ('%2', '%1', 1, 2 + (random() * 1e6)::int, '3', true, 900)"},
    {"fluency_results", "INSERT INTO zorvel.fluency_results VALUES ('%2', '%1', 'add20', 300, 60, 58, 250000, true)"},
    {"fact_answers", "INSERT INTO zorvel.fact_answers VALUES (gen_random_uuid(), '%1', 5, true, 900, 2461000, 'std')"},
    {"fact_boxes", "INSERT INTO zorvel.fact_boxes VALUES ('%1', 2 + (random() * 1e6)::int, 1, 2461001, 2461000, 1, 1,"
                   " '1', 900)"},
};

class SecurityTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        cluster = new ThrowawayCluster;
        if (!cluster->problem().isEmpty())
            return;
        QSqlDatabase admin = openServer("admin", cluster->address("zadmin"));
        addClass(admin, "一班", "teacher1");
        addClass(admin, "二班", "teacher2");
        for (const auto& [name, inClass, role] : {std::tuple{"小明", "一班", "pupil1"}, {"小红", "一班", "pupil2"},
                                                  {"小刚", "二班", "pupil3"}}) {
            addPupil(admin, name, inClass, role);
            const QString pupil = value(admin, "SELECT id FROM zorvel.pupils WHERE login = ?", {role}).toString();
            const QString test = value(admin, "SELECT gen_random_uuid()").toString();
            pupils[role] = pupil;
            testOf[role] = test;
            exec(admin, newRow("tests", pupil, test).replace("gen_random_uuid()", "'" + test + "'"));
            const QString spare = value(admin, "SELECT gen_random_uuid()").toString();
            exec(admin, newRow("tests", pupil, test).replace("gen_random_uuid()", "'" + spare + "'"));
            exec(admin, QString("INSERT INTO zorvel.questions VALUES ('%2', '%1', 1, '1', '2', '', '3')").arg(pupil, test));
            for (const QString& table : pupilTables())
                if (table != "tests" && table != "questions")
                    exec(admin, newRow(table, pupil, table == "fluency_results" ? spare : test));
        }
    }
    static void TearDownTestSuite()
    {
        for (const QString& name : QSqlDatabase::connectionNames())
            QSqlDatabase::removeDatabase(name);
        delete cluster;
    }
    void SetUp() override
    {
        if (!cluster->problem().isEmpty())
            GTEST_SKIP() << "PostgreSQL cannot start here: " << cluster->problem().toStdString();
    }
    static QSqlDatabase as(const QString& role)
    {
        if (QSqlDatabase::contains("as-" + role))
            return QSqlDatabase::database("as-" + role);
        return openServer("as-" + role, cluster->address(role));
    }
    static QString newRow(const QString& table, const QString& pupil, const QString& test)
    {
        return QString(kNewRow.at(table)).replace("%1", pupil).replace("%2", test);
    }
    // The pupils whose rows the role sees in the table.
    QSet<QString> seen(const QString& role, const QString& table)
    {
        QSqlQuery rows = exec(as(role), "SELECT DISTINCT pupil_id FROM zorvel." + table);
        QSet<QString> found;
        while (rows.next())
            found << rows.value(0).toString();
        return found;
    }
    // Empty when the statement ran; else the server's refusal.
    QString refusal(const QString& role, const QString& sql, int* changed = nullptr)
    {
        QSqlQuery query(as(role));
        if (query.exec(sql)) {
            if (changed)
                *changed = query.numRowsAffected();
            return {};
        }
        return query.lastError().databaseText();
    }

    static inline ThrowawayCluster* cluster = nullptr;
    static inline std::map<QString, QString> pupils, testOf;
};

TEST_F(SecurityTest, EachRoleReadsOnlyWhatItMay)
{
    const QSet<QString> classOne{pupils["pupil1"], pupils["pupil2"]};
    for (const QString& table : pupilTables()) {
        SCOPED_TRACE(table.toStdString());
        EXPECT_EQ(seen("pupil1", table), QSet<QString>{pupils["pupil1"]});
        EXPECT_EQ(seen("teacher1", table), classOne);
        EXPECT_EQ(seen("teacher2", table), QSet<QString>{pupils["pupil3"]});
    }
    QSqlQuery classes = exec(as("teacher1"), "SELECT name FROM zorvel.classes");
    ASSERT_TRUE(classes.next());
    EXPECT_EQ(classes.value(0).toString(), "一班");
    EXPECT_FALSE(classes.next());
    EXPECT_EQ(value(as("pupil1"), "SELECT count(*) FROM zorvel.pupils").toInt(), 1);
    EXPECT_FALSE(refusal("pupil1", "SELECT name FROM zorvel.classes").isEmpty());
}

TEST_F(SecurityTest, PupilsWriteOnlyTheirOwnRowsAndTeachersNone)
{
    struct Case {
        const char* role;
        const char* owner;  // whose row
        bool allowed;
    };
    const Case cases[] = {{"pupil1", "pupil1", true}, {"pupil1", "pupil2", false}, {"pupil1", "pupil3", false},
                          {"teacher1", "pupil1", false}};
    for (const QString& table : pupilTables())
        for (const Case& c : cases) {
            SCOPED_TRACE((table + " " + c.role + " -> " + c.owner).toStdString());
            const QString owner = pupils[c.owner];
            const QString inserted = refusal(c.role, newRow(table, owner, testOf[c.owner]));
            EXPECT_EQ(inserted.isEmpty(), c.allowed) << inserted.toStdString();
            int changed = -1;
            const QString updated = refusal(
                c.role, QString("UPDATE zorvel.%1 SET pupil_id = pupil_id WHERE pupil_id = '%2'").arg(table, owner),
                &changed);
            EXPECT_TRUE(c.allowed ? changed > 0 : (!updated.isEmpty() || changed == 0)) << updated.toStdString();
            EXPECT_FALSE(refusal(c.role, QString("DELETE FROM zorvel.%1 WHERE pupil_id = '%2'").arg(table, owner))
                             .isEmpty());
        }
    EXPECT_FALSE(refusal("pupil1", QString("UPDATE zorvel.pupils SET name = 'x'")).isEmpty());
    EXPECT_FALSE(refusal("teacher1", QString("INSERT INTO zorvel.classes (name, teacher) VALUES ('三班', 'teacher1')"))
                     .isEmpty());
}

// What a pupil's machine is told when the connection fails.
TEST_F(SecurityTest, ConnectionFailuresAreSaidInChinese)
{
    ServerAddress noDatabase = cluster->address("pupil1");
    noDatabase.database = "nope";
    ServerAddress noServer = cluster->address("pupil1");
    noServer.host = "/nonexistent";
    const std::pair<ServerAddress, QString> cases[] = {
        {noDatabase, "服务器上没有这个数据库"},
        {cluster->address("nobody_here"), "服务器上没有这个用户"},
        {noServer, "连不上服务器"},
        {ServerAddress{"no-such-service", {}, 0, {}, {}}, "找不到这个服务名"},
    };
    for (const auto& [address, reason] : cases) {
        try {
            openServer("failing", address);
            ADD_FAILURE() << address.shown().toStdString() << " opened";
        } catch (const ServerFailure& failure) {
            EXPECT_TRUE(failure.text().contains(reason)) << failure.text().toStdString();
        }
    }
}

} // namespace

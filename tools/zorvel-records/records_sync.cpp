// Which pupils go where, then the school server's sender on a writable
// connection of the record (migrated as the program would).
#include "tools/zorvel-records/records_sync.h"

#include "records/record_reader.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "school_server/record_sender.h"

namespace zorvel::records::cli {

namespace {

const QString kConnection = QStringLiteral("zorvel-records-sync");

// The links to send along: the pupils' own, or the service given for the
// chosen pupil (else the linked pupils, else the current one).
std::vector<school::ServerLink> linksToSend(const QSqlDatabase& db, const RecordsOptions& options, SyncOutcome& outcome)
{
    const RecordReader reader(db);
    std::optional<qint64> chosen;
    if (options.pupil) {
        for (const Pupil& pupil : reader.pupils())
            if (pupil.name == *options.pupil)
                chosen = pupil.id;
        if (!chosen) {
            outcome = {2, QStringLiteral("记录里没有学生 %1").arg(*options.pupil), {}};
            return {};
        }
    }
    std::vector<school::ServerLink> links;
    for (const school::ServerLink& link : school::allLinks(db))
        if (!chosen || link.pupil == *chosen)
            links.push_back(link);
    if (options.service.isEmpty()) {
        if (links.empty())
            outcome = {1, QStringLiteral("还没有设置学校服务器（在“学习记录”里点“学校服务器…”，或者用 --service）"), {}};
        return links;
    }
    if (links.empty())
        links.push_back({chosen ? *chosen : reader.savedCurrentPupil().value_or(0), {}, QDateTime::fromMSecsSinceEpoch(0)});
    for (school::ServerLink& link : links)
        link.address = school::ServerAddress{options.service, {}, 0, {}, {}};
    return links;
}

SyncOutcome sendAll(const QSqlDatabase& db, const RecordsOptions& options)
{
    SyncOutcome outcome;
    const std::vector<school::ServerLink> links = linksToSend(db, options, outcome);
    if (outcome.status != 0)
        return outcome;
    school::RecordSender sender;
    school::SendResult total;
    for (const school::ServerLink& link : links) {
        const school::SendResult sent = sender.sendPupil(db, link);
        total.tests += sent.tests;
        total.facts += sent.facts;
        total.waiting += sent.waiting;
        if (!sent.problem.isEmpty())
            return {1, sent.problem + QStringLiteral("；%1 次测试还在等待发送").arg(sent.waiting), {}};
    }
    outcome.output = QStringLiteral("发送了 %1 次测试、%2 个口诀练习的答案；没有等待发送的了。\n")
                         .arg(total.tests)
                         .arg(total.facts)
                         .toUtf8();
    return outcome;
}

} // namespace

SyncOutcome syncRecord(const QString& path, const RecordsOptions& options)
{
    SyncOutcome outcome;
    try {
        const QSqlDatabase db = openConnection(kConnection, path, false);
        migrate(db);
        outcome = sendAll(db, options);
    } catch (const SqlFailure& failure) {
        outcome = {1, QStringLiteral("读不了记录 %1（%2）").arg(path, failure.text()), {}};
    }
    closeConnection(kConnection);
    return outcome;
}

} // namespace zorvel::records::cli

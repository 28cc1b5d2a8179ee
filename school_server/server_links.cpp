// The server_links table of the local record.
#include "school_server/server_links.h"

#include "records/sql_support.h"

namespace zorvel::school {

using records::nextRow;
using records::run;

namespace {

ServerLink linkFrom(const QSqlQuery& row)
{
    return {row.value(0).toLongLong(), ServerAddress::fromText(row.value(1).toString()),
            QDateTime::fromMSecsSinceEpoch(row.value(2).toLongLong())};
}

} // namespace

void keepLink(const QSqlDatabase& local, const ServerLink& link)
{
    run(local, QStringLiteral("INSERT INTO server_links (pupil_id, address, since) VALUES (?, ?, ?)"
                              " ON CONFLICT (pupil_id) DO UPDATE SET address = excluded.address"),
        {link.pupil, link.address.toText(), link.since.toMSecsSinceEpoch()});
}

void dropLink(const QSqlDatabase& local, qint64 pupil)
{
    run(local, QStringLiteral("DELETE FROM server_links WHERE pupil_id = ?"), {pupil});
}

std::optional<ServerLink> linkOf(const QSqlDatabase& local, qint64 pupil)
{
    QSqlQuery row = run(local, QStringLiteral("SELECT pupil_id, address, since FROM server_links WHERE pupil_id = ?"),
                        {pupil});
    if (nextRow(row))
        return linkFrom(row);
    return std::nullopt;
}

std::vector<ServerLink> allLinks(const QSqlDatabase& local)
{
    QSqlQuery rows = run(local, QStringLiteral("SELECT pupil_id, address, since FROM server_links ORDER BY pupil_id"));
    std::vector<ServerLink> links;
    while (nextRow(rows))
        links.push_back(linkFrom(rows));
    return links;
}

} // namespace zorvel::school

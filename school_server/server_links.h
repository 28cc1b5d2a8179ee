// Which pupils of the local record send their tests to which school server,
// kept in the local record (server_links); the password is never kept here.
#pragma once

#include "school_server/server_connection.h"

#include <QDateTime>
#include <QSqlDatabase>

#include <optional>
#include <vector>

namespace zorvel::school {

struct ServerLink {
    qint64 pupil = 0;  // the local pupil
    ServerAddress address;
    QDateTime since;   // tests begun from then on are sent
};

// Throws records::SqlFailure.
void keepLink(const QSqlDatabase& local, const ServerLink& link);
void dropLink(const QSqlDatabase& local, qint64 pupil);
std::optional<ServerLink> linkOf(const QSqlDatabase& local, qint64 pupil);
std::vector<ServerLink> allLinks(const QSqlDatabase& local);

} // namespace zorvel::school

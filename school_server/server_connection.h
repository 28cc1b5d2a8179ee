// Connections to the school's PostgreSQL server through Qt's QPSQL driver:
// where the server is (a libpq service name, or host, port, database and
// user; a password never travels with it but comes from libpq's password
// file), statements that throw, and what a failure means, in Chinese.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>

namespace zorvel::school {

struct ServerAddress {
    QString service;  // a libpq service name (pg_service.conf); when set, the rest is not used
    QString host;     // a name, an address or a socket folder
    int port = 0;     // 0: libpq's default
    QString database;
    QString user;

    bool isEmpty() const { return service.isEmpty() && host.isEmpty() && database.isEmpty() && user.isEmpty(); }
    // As kept in the local record, and read back (an empty address from bad text).
    QString toText() const;
    static ServerAddress fromText(const QString& text);
    // For people: "服务 school" or "user@host:port/database".
    QString shown() const;
};

// A failure at the server, its text one Chinese sentence.
class ServerFailure : public std::runtime_error {
public:
    explicit ServerFailure(const QString& text);
    QString text() const { return QString::fromUtf8(what()); }
};

// Opens a connection under the given name; password is only for trying an
// address before it is kept (empty: libpq's password file). Throws
// ServerFailure naming what failed.
QSqlDatabase openServer(const QString& connectionName, const ServerAddress& address, const QString& password = {},
                        int timeoutSeconds = 5);
void closeServer(const QString& connectionName);

// Runs one statement with positional values; throws ServerFailure.
QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
QVariant value(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// What went wrong, as one Chinese phrase, with the server's own words after it.
QString reasonOf(const QSqlError& error);

// Runs statements as one transaction: rolled back unless committed.
class ServerTransaction {
public:
    explicit ServerTransaction(const QSqlDatabase& db);
    ~ServerTransaction();
    ServerTransaction(const ServerTransaction&) = delete;
    ServerTransaction& operator=(const ServerTransaction&) = delete;
    void commit();

private:
    QSqlDatabase db_;
    bool open_ = true;
};

} // namespace zorvel::school

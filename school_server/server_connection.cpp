// Opening QPSQL connections, running statements, and libpq's failures in Chinese.
#include "school_server/server_connection.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <utility>
#include <vector>

namespace zorvel::school {

namespace {

// libpq's words (English whatever the locale of the server's messages
// for a connection) and what they mean to a school.
const std::vector<std::pair<const char*, const char*>>& reasons()
{
    static const std::vector<std::pair<const char*, const char*>> table = {
        {"definition of service", "找不到这个服务名（检查 pg_service.conf）"},
        {"service file", "找不到服务文件 pg_service.conf"},
        {"password authentication failed", "用户名或密码不对"},
        {"no password supplied", "没有密码（密码文件里没有这个服务器和用户）"},
        {"SCRAM", "用户名或密码不对"},
        {"database \"", "服务器上没有这个数据库"},
        {"role \"", "服务器上没有这个用户"},
        {"pg_hba.conf", "服务器不接受这台电脑或这个用户的连接（pg_hba.conf）"},
        {"certificate", "服务器的证书没有通过校验（TLS）"},
        {"SSL", "加密连接（TLS）没有建立"},
        {"timeout expired", "服务器没有应答（超时）"},
        {"could not translate host name", "找不到这个服务器地址"},
        {"Connection refused", "连不上服务器（地址或端口不对，或服务器没有运行）"},
        {"No such file or directory", "连不上服务器（服务器没有运行）"},
        {"could not connect", "连不上服务器"},
        {"server closed the connection", "和服务器的连接断了"},
        {"terminating connection", "和服务器的连接断了"},
        {"no connection to the server", "和服务器的连接断了"},
        {"permission denied", "没有权限（服务器拒绝了）"},
        {"row-level security", "没有权限（服务器拒绝了）"},
        {"Driver not loaded", "缺少 Qt 的 PostgreSQL 驱动（libqt6sql6-psql）"},
    };
    return table;
}

QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

} // namespace

QString ServerAddress::toText() const
{
    QJsonObject object;
    if (!service.isEmpty()) {
        object.insert(QStringLiteral("service"), service);
    } else {
        object.insert(QStringLiteral("host"), host);
        object.insert(QStringLiteral("port"), port);
        object.insert(QStringLiteral("database"), database);
        object.insert(QStringLiteral("user"), user);
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

ServerAddress ServerAddress::fromText(const QString& text)
{
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    ServerAddress address;
    address.service = object.value(QStringLiteral("service")).toString();
    address.host = object.value(QStringLiteral("host")).toString();
    address.port = object.value(QStringLiteral("port")).toInt();
    address.database = object.value(QStringLiteral("database")).toString();
    address.user = object.value(QStringLiteral("user")).toString();
    return address;
}

QString ServerAddress::shown() const
{
    if (!service.isEmpty())
        return QStringLiteral("服务 %1").arg(service);
    if (isEmpty())
        return QStringLiteral("libpq 默认的服务器");
    QString text = user + QLatin1Char('@') + host;
    if (port)
        text += QLatin1Char(':') + QString::number(port);
    return text + QLatin1Char('/') + database;
}

ServerFailure::ServerFailure(const QString& text) : std::runtime_error(text.toStdString()) {}

QString reasonOf(const QSqlError& error)
{
    const QString words = error.databaseText() + QLatin1Char(' ') + error.driverText();
    QString reason = QStringLiteral("服务器出错");
    for (const auto& [english, chinese] : reasons())
        if (words.contains(QLatin1String(english), Qt::CaseInsensitive)) {
            reason = QString::fromUtf8(chinese);
            break;
        }
    const QString detail = firstLine(error.databaseText().isEmpty() ? error.driverText() : error.databaseText());
    return detail.isEmpty() ? reason : QStringLiteral("%1（%2）").arg(reason, detail);
}

QSqlDatabase openServer(const QString& connectionName, const ServerAddress& address, const QString& password,
                        int timeoutSeconds)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        throw ServerFailure(QStringLiteral("缺少 Qt 的 PostgreSQL 驱动（libqt6sql6-psql）"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    QString options = QStringLiteral("connect_timeout=%1;application_name=zorvel").arg(timeoutSeconds);
    if (!address.service.isEmpty()) {
        options += QStringLiteral(";service=") + address.service;
    } else {
        db.setHostName(address.host);
        db.setDatabaseName(address.database);
        db.setUserName(address.user);
        if (address.port)
            db.setPort(address.port);
    }
    db.setPassword(password);
    db.setConnectOptions(options);
    if (!db.open()) {
        const QString reason = reasonOf(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw ServerFailure(QStringLiteral("连不上学校服务器（%1）：%2").arg(address.shown(), reason));
    }
    return db;
}

void closeServer(const QString& connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

QSqlQuery exec(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    bool done = false;
    if (values.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant& v : values)
            query.addBindValue(v);
        done = query.exec();
    }
    if (!done)
        throw ServerFailure(reasonOf(query.lastError()));
    return query;
}

QVariant value(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QSqlQuery query = exec(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

ServerTransaction::ServerTransaction(const QSqlDatabase& db) : db_(db)
{
    exec(db_, QStringLiteral("BEGIN"));
}

ServerTransaction::~ServerTransaction()
{
    if (open_) {
        QSqlQuery rollback(db_);
        rollback.exec(QStringLiteral("ROLLBACK"));
    }
}

void ServerTransaction::commit()
{
    exec(db_, QStringLiteral("COMMIT"));
    open_ = false;
}

} // namespace zorvel::school

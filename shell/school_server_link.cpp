// The sender on the store's writer, and the records window's school server
// choice: links written on the writer, read here on a read-only connection,
// the password put in libpq's password file.
#include "shell/school_server_link.h"

#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "school_server/password_file.h"
#include "school_server/record_sender.h"

#include <QDateTime>
#include <QUuid>

namespace zorvel {

namespace {

constexpr int kRetryMs = 60 * 1000;

school::ServerAddress addressOf(const records::SchoolServerChoice& choice)
{
    return school::ServerAddress{choice.service, choice.host, choice.port, choice.database, choice.user};
}

} // namespace

SchoolServerLink::SchoolServerLink(records::SqliteRecordStore& store, const QString& path)
    : store_(store), path_(path),
      readConnection_(QStringLiteral("zorvel-school-link-") + QUuid::createUuid().toString(QUuid::Id128)),
      sender_(std::make_shared<school::RecordSender>())
{
    store_.setFollower([sender = sender_](const QSqlDatabase& local) { sender->sendWaiting(local); });
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] { sendWaiting(); });
    retry_.start();
}

SchoolServerLink::~SchoolServerLink()
{
    records::closeConnection(readConnection_);
}

void SchoolServerLink::sendWaiting()
{
    store_.postToWriter([sender = sender_](const QSqlDatabase& local) { sender->sendWaiting(local); });
}

template <typename Result>
Result SchoolServerLink::read(const std::function<Result(const QSqlDatabase&)>& query, Result fallback)
{
    try {
        QSqlDatabase db = QSqlDatabase::database(readConnection_, false);
        if (!db.isOpen())
            db = records::openConnection(readConnection_, path_, true);
        return query(db);
    } catch (const records::SqlFailure&) {
        return fallback;
    }
}

std::optional<records::SchoolServerChoice> SchoolServerLink::choice(qint64 pupil)
{
    const auto link = read<std::optional<school::ServerLink>>(
        [pupil](const QSqlDatabase& db) { return school::linkOf(db, pupil); }, std::nullopt);
    if (!link)
        return std::nullopt;
    const school::ServerAddress& a = link->address;
    return records::SchoolServerChoice{a.service, a.host, a.port, a.database, a.user, {}};
}

QString SchoolServerLink::status(qint64 pupil)
{
    return read<QString>(
        [pupil](const QSqlDatabase& db) {
            const auto link = school::linkOf(db, pupil);
            if (!link)
                return QStringLiteral("还没有设置学校服务器：测试只记在本机。");
            return QStringLiteral("测试发送到 %1；等待发送的测试：%2 次。")
                .arg(link->address.shown())
                .arg(school::waitingTests(db, *link));
        },
        QString());
}

// On the dialog's own thread: a connection of its own, closed again.
QString SchoolServerLink::tryConnection(const records::SchoolServerChoice& choice)
{
    const QString name = QStringLiteral("zorvel-school-try-") + QUuid::createUuid().toString(QUuid::Id128);
    QString failure;
    try {
        const QSqlDatabase db = school::openServer(name, addressOf(choice), choice.password);
        if (!school::value(db, QStringLiteral("SELECT id FROM zorvel.pupils WHERE login = current_user")).isValid())
            failure = QStringLiteral("连上了，但服务器上没有登记这个用户的学生（请老师或管理员添加）。");
    } catch (const school::ServerFailure& caught) {
        failure = caught.text();
    }
    school::closeServer(name);
    return failure;
}

QString SchoolServerLink::keep(qint64 pupil, const records::SchoolServerChoice& choice)
{
    if (choice.service.isEmpty() && !choice.password.isEmpty()) {
        const QString problem =
            school::keepPassword(choice.host, choice.port, choice.database, choice.user, choice.password);
        if (!problem.isEmpty())
            return problem;
    }
    const school::ServerLink link{pupil, addressOf(choice), QDateTime::currentDateTime()};
    store_.postToWriter([link, sender = sender_](const QSqlDatabase& local) {
        try {
            school::keepLink(local, link);
        } catch (const records::SqlFailure&) {
            return;
        }
        sender->sendPupil(local, link);
    });
    return {};
}

void SchoolServerLink::forget(qint64 pupil)
{
    store_.postToWriter([pupil](const QSqlDatabase& local) {
        try {
            school::dropLink(local, pupil);
        } catch (const records::SqlFailure&) {
        }
    });
}

} // namespace zorvel

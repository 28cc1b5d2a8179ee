// The server's class through a private copy: refreshed from the server on
// this thread, the class list taken from the server's pupils.
#include "school_server/server_class_data.h"

#include "class_record/class_roster.h"
#include "records/sql_support.h"
#include "school_server/class_mirror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <QTime>
#include <QUuid>

namespace zorvel::school {

namespace {

constexpr std::chrono::seconds kPauseAfterFailure{30};
constexpr int kTimeoutSeconds = 3;

} // namespace

QString serverCopyPath(const ServerAddress& address)
{
    const QByteArray key = QCryptographicHash::hash(address.toText().toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("zorvel/school-%1.zorvel-class").arg(QString::fromLatin1(key)));
}

ServerClassData::ServerClassData(const ServerAddress& address, const QString& copyPath)
    : address_(address), connection_(QStringLiteral("zorvel-school-class-") + QUuid::createUuid().toString(QUuid::Id128)),
      copy_((QDir().mkpath(QFileInfo(copyPath).absolutePath()), copyPath), {})
{
    refresh();
}

ServerClassData::~ServerClassData()
{
    closeServer(connection_);
}

bool ServerClassData::refresh()
{
    if (std::chrono::steady_clock::now() < pausedUntil_)
        return false;
    try {
        QSqlDatabase server = QSqlDatabase::database(connection_, false);
        if (!server.isOpen())
            server = openServer(connection_, address_, {}, kTimeoutSeconds);
        const MirrorRefresh refreshed = refreshMirror(server, copy_.database());
        keepRoster();
        serverProblem_.clear();
        lastCopied_ = QTime::currentTime().toString(QStringLiteral("HH:mm"));
        return refreshed.tests > 0 || refreshed.factAnswers > 0;
    } catch (const ServerFailure& failure) {
        serverProblem_ = failure.text();
    } catch (const records::SqlFailure& failure) {
        serverProblem_ = QStringLiteral("班级的本机副本写不了：%1").arg(failure.text());
    }
    closeServer(connection_);
    pausedUntil_ = std::chrono::steady_clock::now() + kPauseAfterFailure;
    return false;
}

// The server's pupils in its order (class, student number, name), under the names the copy gives them.
void ServerClassData::keepRoster()
{
    std::vector<classroom::RosterEntry> entries;
    for (const ServerPupil& pupil : serverPupils(QSqlDatabase::database(connection_, false))) {
        const QVariant name = records::scalar(copy_.database(), QStringLiteral("SELECT name FROM pupils WHERE uuid = ?"),
                                              {pupil.uuid});
        if (name.isValid())
            entries.push_back({name.toString(), pupil.studentNumber});
    }
    const auto same = [](const classroom::RosterEntry& a, const classroom::RosterEntry& b) {
        return a.name == b.name && a.studentNumber == b.studentNumber;
    };
    if (entries.size() == roster_.size() && std::equal(entries.begin(), entries.end(), roster_.begin(), same))
        return;
    classroom::storeRoster(copy_.database(), entries);
    roster_ = entries;
}

QString ServerClassData::location() const
{
    return QStringLiteral("学校服务器（%1）").arg(address_.shown());
}

QString ServerClassData::problem() const
{
    if (serverProblem_.isEmpty())
        return copy_.problem();
    return lastCopied_.isEmpty() ? serverProblem_
                                 : QStringLiteral("%1。这里显示的是 %2 从服务器取到的数据。").arg(serverProblem_, lastCopied_);
}

std::vector<classroom::ImportResult> ServerClassData::importFiles(const QStringList& paths)
{
    classroom::ImportResult refused;
    refused.reason = QStringLiteral("学校服务器上的班级不导入文件：学生的测试由各自的电脑发送");
    return std::vector<classroom::ImportResult>(std::size_t(paths.size()), refused);
}

QString ServerClassData::setRoster(const QByteArray&)
{
    return QStringLiteral("学校服务器上的班级名单由管理员用 zorvel-school 维护。");
}

} // namespace zorvel::school

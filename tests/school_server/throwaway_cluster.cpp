// Starting and stopping the test cluster with PostgreSQL's own programs.
#include "tests/school_server/throwaway_cluster.h"

#include "school_server/server_schema.h"

#include <QFileInfo>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace zorvel::school::testing {

namespace {

const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin/");
constexpr int kPort = 5432;  // only the socket's name: nothing listens on TCP

} // namespace

ThrowawayCluster::ThrowawayCluster()
{
    if (!QFileInfo(kBin + QStringLiteral("initdb")).isExecutable()) {
        problem_ = QStringLiteral("PostgreSQL 15 is not installed (no %1initdb)").arg(kBin);
        return;
    }
    if (!dir_.isValid()) {
        problem_ = QStringLiteral("no temporary folder");
        return;
    }
    data_ = dir_.filePath(QStringLiteral("data"));
    if (::getuid() == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (!nobody || ::chown(dir_.path().toLocal8Bit().constData(), nobody->pw_uid, nobody->pw_gid) != 0) {
            problem_ = QStringLiteral("running as root, and the folder cannot be given to the user nobody");
            return;
        }
        asNobody_ = true;
    }
    QString output;
    if (!runTool(QStringLiteral("initdb"), {QStringLiteral("-D"), data_, QStringLiteral("-U"), QStringLiteral("zadmin"),
                                            QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                                            QStringLiteral("--locale=C"), QStringLiteral("--no-sync")},
                 &output)) {
        problem_ = QStringLiteral("initdb failed: ") + output.left(400);
        return;
    }
    if (!start()) {
        problem_ = QStringLiteral("pg_ctl start failed");
        return;
    }
    try {
        const QString name = QStringLiteral("cluster-setup");
        {
            ServerAddress maintenance = address(QStringLiteral("zadmin"));
            maintenance.database = QStringLiteral("postgres");
            QSqlDatabase postgres = openServer(name, maintenance);
            exec(postgres, QStringLiteral("CREATE DATABASE school"));
        }
        closeServer(name);
        {
            QSqlDatabase school = openServer(name, address(QStringLiteral("zadmin")));
            initSchool(school);
        }
        closeServer(name);
    } catch (const ServerFailure& failure) {
        problem_ = QStringLiteral("the school database could not be made: ") + failure.text();
    }
}

ThrowawayCluster::~ThrowawayCluster()
{
    if (!data_.isEmpty())
        pgCtl({QStringLiteral("stop"), QStringLiteral("-m"), QStringLiteral("immediate")});
}

bool ThrowawayCluster::start()
{
    return pgCtl({QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-l"), dir_.filePath("log"),
                  QStringLiteral("-o"),
                  QStringLiteral("-c listen_addresses='' -k %1 -p %2 -c fsync=off").arg(dir_.path()).arg(kPort)});
}

bool ThrowawayCluster::stop()
{
    return pgCtl({QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast")});
}

ServerAddress ThrowawayCluster::address(const QString& role) const
{
    ServerAddress address;
    address.host = dir_.path();
    address.port = kPort;
    address.database = QStringLiteral("school");
    address.user = role;
    return address;
}

bool ThrowawayCluster::pgCtl(const QStringList& arguments)
{
    return runTool(QStringLiteral("pg_ctl"), QStringList{QStringLiteral("-D"), data_} + arguments);
}

// Runs one of PostgreSQL's programs (as nobody under root); waits for it
// without a limit of its own (ctest's timeout holds).
bool ThrowawayCluster::runTool(const QString& tool, const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir_.path());
    if (asNobody_)
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"), kBin + tool} +
                          arguments);
    else
        process.start(kBin + tool, arguments);
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1))
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace zorvel::school::testing

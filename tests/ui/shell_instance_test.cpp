// The single-instance rule: a second copy is refused while the first runs,
// however long it has run, and a lock left by a dead process never blocks.
// The last case starts the real program as separate processes.
#include "shell/single_instance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

using namespace zorvel;

namespace {

qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    if (!process.waitForStarted())
        return -1;
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

void writeLockFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void ageFile(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

qint64 lockOwner(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readLine().trimmed().toLongLong();
}

} // namespace

class ShellInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zorvel.lock"));
        SingleInstance first(path);
        SingleInstance second(path);
        QVERIFY(first.tryAcquire());
        QVERIFY(first.tryAcquire());
        // However long the first copy has run.
        ageFile(path);
        QVERIFY(!second.tryAcquire());
        first.release();
        QVERIFY(second.tryAcquire());
        QVERIFY(!first.tryAcquire());
    }

    void lockOfDeadProcessIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("old");
        const QByteArray host = QSysInfo::machineHostName().toUtf8();
        const QByteArray app = QCoreApplication::applicationName().toUtf8();
        QTest::newRow("fresh lock file") << QByteArray("PID\n" + app + '\n' + host + '\n') << false;
        QTest::newRow("hour-old lock file") << QByteArray("PID\n" + app + '\n' + host + '\n') << true;
        // A crash or a power cut before the lock's content reached the disk.
        QTest::newRow("empty lock file") << QByteArray() << false;
        QTest::newRow("unreadable lock file") << QByteArray("\x01\x02garbage") << true;
        // The machine was renamed after the crash.
        QTest::newRow("other host name") << QByteArray("PID\n" + app + "\nold-name-of-this-machine\n") << false;
    }

    void lockOfDeadProcessIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, old);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zorvel.lock"));
        const qint64 pid = deadPid();
        QVERIFY(pid > 0);
        writeLockFile(path, content.replace("PID", QByteArray::number(pid)));
        if (old)
            ageFile(path);

        SingleInstance next(path);
        QVERIFY(next.tryAcquire());
        QCOMPARE(lockOwner(path), QCoreApplication::applicationPid());
        SingleInstance second(path);
        QVERIFY(!second.tryAcquire());
    }

    void browserStartedMeanwhileDoesNotKeepTheLock()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zorvel.lock"));
        SingleInstance first(path);
        QVERIFY(first.tryAcquire());
        QProcess browser;
        browser.start(QStringLiteral("/bin/sleep"), {QStringLiteral("60")});
        QVERIFY(browser.waitForStarted());
        first.release();

        SingleInstance next(path);
        const bool acquired = next.tryAcquire();
        browser.kill();
        browser.waitForFinished();
        QVERIFY(acquired);
    }

    void noPlaceForALockDoesNotBlock()
    {
        SingleInstance nowhere(QStringLiteral("/proc/no-such-folder/zorvel.lock"));
        QVERIFY(nowhere.tryAcquire());
        SingleInstance unnamed{QString()};
        QVERIFY(unnamed.tryAcquire());
    }

    // The real program, started as separate processes: a second copy is
    // refused while the first runs, also when it is started without the
    // session's runtime folder (su, ssh) or with another cache folder, and
    // when the usual folder is taken and the lock moves to the data folder;
    // a crashed copy's lock file never blocks the next start.
    void realProgramRunsOnce_data()
    {
        QTest::addColumn<QString>("usualFolder");
        QTest::addColumn<QString>("secondSession");
        QTest::newRow("usual folder") << "" << "same";
        QTest::newRow("second without XDG_RUNTIME_DIR") << "" << "no runtime folder";
        QTest::newRow("second with its own XDG_CACHE_HOME") << "" << "own cache";
        QTest::newRow("usual folder is a link") << "link" << "same";
        if (::geteuid() == 0)
            QTest::newRow("usual folder taken by another account") << "other owner" << "same";
    }

    void realProgramRunsOnce()
    {
        QFETCH(QString, usualFolder);
        QFETCH(QString, secondSession);
        QTemporaryDir runtime;
        QTemporaryDir home;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral(".cache"))));
        const QString usual = home.filePath(QStringLiteral(".cache/zorvel"));
        if (usualFolder == "link") {
            QVERIFY(QFile::link(home.path(), usual));
        } else if (usualFolder == "other owner") {
            QVERIFY(QDir().mkdir(usual));
            QVERIFY(::chown(QFile::encodeName(usual).constData(), 65534, 65534) == 0);
        }
        const QString lockPath = QDir(home.filePath(usualFolder.isEmpty() ? QStringLiteral(".cache/zorvel")
                                                                          : QStringLiteral(".local/share/zorvel")))
                                     .filePath(QStringLiteral("zorvel-%1.lock").arg(QSysInfo::machineHostName()));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("HOME"), home.path());
        env.remove(QStringLiteral("XDG_CACHE_HOME"));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        // No browser launcher can be found, whatever this machine has installed.
        env.insert(QStringLiteral("PATH"), runtime.path());
        auto start = [&](QProcess& process) {
            process.setProcessEnvironment(env);
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process.start(QStringLiteral(ZORVEL_EXECUTABLE), {});
            QVERIFY(process.waitForStarted());
        };

        QProcess first;
        start(first);
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(lockPath), first.processId(), 20000);
        ageFile(lockPath);

        if (secondSession == "no runtime folder")
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        else if (secondSession == "own cache")
            env.insert(QStringLiteral("XDG_CACHE_HOME"), runtime.filePath(QStringLiteral("cache")));
        QProcess second;
        start(second);
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        // A crash leaves the lock file behind; the next start takes it over.
        first.kill();
        QVERIFY(first.waitForFinished(20000));
        QVERIFY(QFile::exists(lockPath));

        QProcess third;
        start(third);
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(lockPath), third.processId(), 20000);
        QCOMPARE(third.state(), QProcess::Running);
        third.terminate();
        QVERIFY(third.waitForFinished(20000));
    }
};

QTEST_MAIN(ShellInstanceTest)
#include "shell_instance_test.moc"

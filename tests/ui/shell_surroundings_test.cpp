// The program in hostile surroundings: no sound server, one that accepts and
// never answers, voice data missing, no writable home, links planted in
// the per-user folder, a stale lock. In each it starts, shows its menu, opens
// a listening window, speaks and sounds, and ends on "退  出" well before the
// sound server's own 30 s timeout. The visit is played by shell_visit.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A sound server that accepts connections (the system's backlog does) and
// never says a word.
class SilentServer {
public:
    explicit SilentServer(const QString& path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        qstrncpy(address.sun_path, native.constData(), sizeof(address.sun_path));
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd_ >= 0
            && (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || ::listen(fd_, 64) != 0)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~SilentServer()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool listening() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ShellSurroundingsTest : public QObject {
    Q_OBJECT
private slots:
    void visitEndsQuickly_data()
    {
        QTest::addColumn<QString>("surroundings");
        QTest::addColumn<bool>("helpPagesShown");
        QTest::addColumn<bool>("noticeAwaited");
        QTest::newRow("no sound server") << "no server" << true << true;
        // The engine waits on the server at its start: the notice comes after
        // the server's timeout, long after this visit.
        QTest::newRow("silent sound server") << "silent server" << true << false;
        QTest::newRow("voice data missing") << "no voice data" << true << true;
        QTest::newRow("no writable home") << "no home" << true << false;
        QTest::newRow("links in the per-user folder") << "links" << false << false;
        QTest::newRow("stale lock") << "stale lock" << true << false;
    }

    void visitEndsQuickly()
    {
        QFETCH(QString, surroundings);
        QFETCH(bool, helpPagesShown);
        QFETCH(bool, noticeAwaited);
        QTemporaryDir runtime;
        QTemporaryDir home;
        QTemporaryDir users;
        QVERIFY(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("TMPDIR"), home.path());
        env.remove(QStringLiteral("XDG_CACHE_HOME"));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/zorvel-no-sound-server"));
        const QString usersPage = users.filePath(QStringLiteral("index.html"));
        QFile own(usersPage);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("the user's own page");
        own.close();

        SilentServer silent(runtime.filePath(QStringLiteral("pulse-silent")));
        QVERIFY(silent.listening());
        if (surroundings == "silent server") {
            env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + runtime.filePath(QStringLiteral("pulse-silent")));
        } else if (surroundings == "no voice data") {
            QVERIFY(QDir().mkpath(users.filePath(QStringLiteral("espeak-ng-data"))));
            env.insert(QStringLiteral("ESPEAK_DATA_PATH"), users.path());
        } else if (surroundings == "no home") {
            env.insert(QStringLiteral("HOME"), QStringLiteral("/proc/zorvel-no-such-folder"));
        } else if (surroundings == "links") {
            QVERIFY(QDir().mkpath(runtime.filePath(QStringLiteral("zorvel"))));
            QVERIFY(QFile::link(users.path(), runtime.filePath(QStringLiteral("zorvel/help"))));
        } else if (surroundings == "stale lock") {
            QVERIFY(QDir().mkpath(home.filePath(QStringLiteral(".cache/zorvel"))));
            QFile lock(home.filePath(QStringLiteral(".cache/zorvel/zorvel-%1.lock").arg(QSysInfo::machineHostName())));
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("999999\n");
        }

        QProcess visit;
        visit.setProcessEnvironment(env);
        visit.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        visit.start(QStringLiteral(ZORVEL_VISIT_EXECUTABLE),
                    noticeAwaited ? QStringList{QStringLiteral("--await-notice")} : QStringList{});
        QVERIFY(visit.waitForStarted());
        // Far under the sound server's 30 s, which a wait on it would take.
        QVERIFY(visit.waitForFinished(15000));
        QCOMPARE(visit.exitStatus(), QProcess::NormalExit);
        QCOMPARE(visit.exitCode(), 0);
        const QString output = QString::fromUtf8(visit.readAllStandardOutput());
        qInfo().noquote() << output.trimmed().replace(u'\n', QStringLiteral("; "));
        QVERIFY(output.contains(QStringLiteral("menu shown\n")));
        QVERIFY(output.contains(QStringLiteral("window Form91\n")));
        QVERIFY(output.contains(QStringLiteral("back at the menu\n")));
        if (noticeAwaited)
            QVERIFY(output.contains(QStringLiteral("notice shown\n")));
        QCOMPARE(output.contains(QStringLiteral("browser index.html\n")), helpPagesShown);
        QCOMPARE(fileContent(usersPage), QByteArray("the user's own page"));
    }
};

QTEST_GUILESS_MAIN(ShellSurroundingsTest)
#include "shell_surroundings_test.moc"

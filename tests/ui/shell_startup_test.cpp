// Start-up of the menu: the order of its steps, the refusal of a second copy,
// and the help pages copied out of the resources for the browser.
#include "platform/detached_program.h"
#include "shell/help_pages.h"
#include "shell/main_menu.h"
#include "shell/startup.h"
#include "shell/user_dir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>

#include <sys/stat.h>
#include <unistd.h>

using namespace zorvel;

namespace {

struct BrowserCall {
    QUrl url;
    bool menuVisible = false;
    QString title;
    QString firstSlogan;
    QString buttonStyle;
};

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool anyWindowVisible()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            return true;
    return false;
}

} // namespace

class ShellStartupTest : public QObject {
    Q_OBJECT
private slots:
    void homePageOpensBeforeTheMenuShows()
    {
        QTemporaryDir dir;
        QList<BrowserCall> calls;
        std::unique_ptr<MainMenu> menu;
        auto opener = [&](const QUrl& url, const BrowserOutcome&) {
            BrowserCall call;
            call.url = url;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* found = qobject_cast<MainMenu*>(widget)) {
                    call.menuVisible = found->isVisible();
                    call.title = found->windowTitle();
                    call.firstSlogan = found->findChild<QLabel*>("Label5")->text();
                    call.buttonStyle = found->findChild<QPushButton*>("Command1")->styleSheet();
                }
            }
            calls << call;
        };
        SingleInstance instance(dir.filePath(QStringLiteral("zorvel.lock")));
        menu = startMainMenu(nullptr, HelpPages(opener, dir.filePath(QStringLiteral("help"))), instance);
        QVERIFY(menu);

        QCOMPARE(calls.size(), 1);
        const BrowserCall& call = calls.first();
        QVERIFY(call.url.isLocalFile());
        QCOMPARE(QFileInfo(call.url.toLocalFile()).fileName(), QStringLiteral("index.html"));
        QVERIFY(QFile::exists(call.url.toLocalFile()));
        // Slogans come first; title, colours and showing come after the page.
        QVERIFY(!call.firstSlogan.isEmpty());
        QVERIFY(!call.menuVisible);
        QVERIFY(call.title.isEmpty());
        QVERIFY(call.buttonStyle.isEmpty());

        QVERIFY(menu->isVisible());
        QCOMPARE(menu->windowTitle(), QStringLiteral("Zorvel 2020-1版"));
        QVERIFY(!menu->findChild<QPushButton*>("Command1")->styleSheet().isEmpty());

        // Qt's own buttons read Chinese where Qt's translations are installed.
        const bool translated = QFile::exists(
            QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).filePath("qtbase_zh_CN.qm"));
        QDialogButtonBox buttons(QDialogButtonBox::Ok);
        QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text(), translated ? QString("确定") : QString("OK"));
    }

    void secondCopyShowsNothing()
    {
        QTemporaryDir dir;
        const QString lockPath = dir.filePath(QStringLiteral("zorvel.lock"));
        SingleInstance running(lockPath);
        QVERIFY(running.tryAcquire());

        int browserCalls = 0;
        SingleInstance second(lockPath);
        auto menu = startMainMenu(nullptr, HelpPages([&](const QUrl&, const BrowserOutcome&) { ++browserCalls; }, dir.path()), second);
        QVERIFY(!menu);
        QCOMPARE(browserCalls, 0);
        QVERIFY(!anyWindowVisible());
    }

    void browserFailureIsIgnored()
    {
        QTemporaryDir dir;
        SingleInstance instance(dir.filePath(QStringLiteral("zorvel.lock")));
        // No page can be copied out: the browser is not asked and the menu still shows.
        int calls = 0;
        auto menu = startMainMenu(nullptr, HelpPages([&](const QUrl&, const BrowserOutcome&) { ++calls; }, QStringLiteral("/proc/no-such-folder")), instance);
        QVERIFY(menu);
        QCOMPARE(calls, 0);
        QVERIFY(menu->isVisible());
    }

    // The browser's way of starting: the program gets its arguments as given,
    // runs in a session of its own, and leaves no zombie behind.
    void detachedProgramRunsOnItsOwn()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        const QByteArray script = "printf '%s|%s|%s' \"$1\" \"$$\" \"$(cut -d' ' -f6 /proc/$$/stat)\" > \"$2.tmp\"; "
                                  "mv \"$2.tmp\" \"$2\"";
        QVERIFY(startDetachedProgram("sh", {"-c", script, "sh", "file:///a b/首页.html", QFile::encodeName(out)}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
        const QList<QByteArray> fields = fileContent(out).split('|');
        QCOMPARE(fields.size(), 3);
        QCOMPARE(QString::fromUtf8(fields[0]), QStringLiteral("file:///a b/首页.html"));
        QVERIFY(fields[2].toLong() != long(getsid(0)));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(QStringLiteral("/proc/") + QString::fromLatin1(fields[1])), 10000);

        QVERIFY(!startDetachedProgram("zorvel-no-such-program", {}));
    }

    // What the program says goes nowhere near the terminal, and how it ended
    // is reported: xdg-open without a browser prints a line per browser it
    // tries and ends with a failure.
    void detachedProgramIsSilentAndReportsItsEnd_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("success") << 0;
        QTest::newRow("no browser") << 3;
    }
    void detachedProgramIsSilentAndReportsItsEnd()
    {
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        // Read before the redirection to the file applies.
        const QByteArray script = "printf '%s\\n' \"$(readlink /proc/$$/fd/0)\" \"$(readlink /proc/$$/fd/1)\" "
                                  "\"$(readlink /proc/$$/fd/2)\" > \"$1\"; exit " + QByteArray::number(status);
        std::atomic<int> ended{-1};
        QVERIFY(startDetachedProgram("sh", {"-c", script, "sh", QFile::encodeName(out)},
                                     [&ended](bool succeeded) { ended = succeeded ? 1 : 0; }));
        QTRY_VERIFY_WITH_TIMEOUT(ended != -1, 10000);
        QCOMPARE(ended.load(), status == 0 ? 1 : 0);
        QCOMPARE(fileContent(out), QByteArray("/dev/null\n/dev/null\n/dev/null\n"));
    }

    // Without a browser, a click on a help label says where the page is;
    // with one, nothing is said; at start a failure passes in silence.
    void noBrowserTheLinkSaysWhereThePageIs_data()
    {
        QTest::addColumn<QString>("labelName");
        QTest::addColumn<bool>("opened");
        QTest::newRow("Label1, no browser") << "Label1" << false;
        QTest::newRow("Label3, no browser") << "Label3" << false;
        QTest::newRow("Label1, a browser") << "Label1" << true;
    }
    void noBrowserTheLinkSaysWhereThePageIs()
    {
        QFETCH(QString, labelName);
        QFETCH(bool, opened);
        QTemporaryDir dir;
        SingleInstance instance(dir.filePath(QStringLiteral("zorvel.lock")));
        int calls = 0;
        HelpPages pages([&](const QUrl&, const BrowserOutcome& outcome) {
            ++calls;
            if (outcome)
                outcome(opened);
        }, dir.filePath(QStringLiteral("help")));
        auto menu = startMainMenu(nullptr, pages, instance);
        QVERIFY(menu);
        QCOMPARE(calls, 1);
        QVERIFY(!QApplication::activeModalWidget());

        // A message box runs its own loop: it is read and closed from there.
        QString said;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said = box->text();
                box->close();
            }
        });
        closer.start(0);
        QTest::mouseClick(menu->findChild<QLabel*>(labelName), Qt::LeftButton);
        closer.stop();
        QCOMPARE(calls, 2);
        if (opened) {
            QVERIFY(said.isEmpty());
            return;
        }
        const QString page = labelName == "Label1" ? QStringLiteral("index.html") : QStringLiteral("product.html");
        QVERIFY(said.contains(QStringLiteral("没有找到可以打开网页的浏览器")));
        QVERIFY(said.contains(QDir::toNativeSeparators(QDir(dir.filePath(QStringLiteral("help"))).filePath(page))));
    }

    void labelsOpenTheirPages_data()
    {
        QTest::addColumn<QString>("labelName");
        QTest::addColumn<QString>("page");
        QTest::newRow("Label1 home page") << "Label1" << "index.html";
        QTest::newRow("Label3 product page") << "Label3" << "product.html";
    }

    void labelsOpenTheirPages()
    {
        QFETCH(QString, labelName);
        QFETCH(QString, page);
        QTemporaryDir dir;
        QList<QUrl> opened;
        MainMenu menu(nullptr, HelpPages([&](const QUrl& url, const BrowserOutcome&) { opened << url; }, dir.path()));
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::mouseClick(menu.findChild<QLabel*>(labelName), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first(), QUrl::fromLocalFile(QDir(dir.path()).filePath(page)));
        QVERIFY(QFile::exists(opened.first().toLocalFile()));
        // A click on a label without a page opens nothing.
        QTest::mouseClick(menu.findChild<QLabel*>("Label7"), Qt::LeftButton);
        QCOMPARE(opened.size(), 1);
    }

    void helpPagesAreCopiedOut()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("help"));
        const QUrl page = extractHelpPage(QStringLiteral("index.html"), target);
        QCOMPARE(page, QUrl::fromLocalFile(target + QStringLiteral("/index.html")));
        for (const QString& name : QDir(QStringLiteral(":/help")).entryList(QDir::Files))
            QCOMPARE(fileContent(target + u'/' + name), fileContent(QStringLiteral(":/help/") + name));

        // A page spoilt since the last start is put right.
        QFile spoilt(target + QStringLiteral("/index.html"));
        QVERIFY(spoilt.open(QIODevice::WriteOnly | QIODevice::Truncate));
        spoilt.write("broken");
        spoilt.close();
        QVERIFY(extractHelpPage(QStringLiteral("index.html"), target).isValid());
        QCOMPARE(fileContent(target + QStringLiteral("/index.html")), fileContent(QStringLiteral(":/help/index.html")));

        QVERIFY(extractHelpPage(QStringLiteral("missing.html"), target).isEmpty());
        QVERIFY(extractHelpPage(QStringLiteral("index.html"), QString()).isEmpty());
    }

    void helpPagesNeedNoNetwork()
    {
        for (const QString& name : QDir(QStringLiteral(":/help")).entryList(QDir::Files)) {
            const QString text = QString::fromUtf8(fileContent(QStringLiteral(":/help/") + name));
            QVERIFY2(!text.contains(QLatin1String("http://")) && !text.contains(QLatin1String("https://")), qPrintable(name));
        }
    }

    // The private folder: made owner-only, access opened to others closed
    // again; a link, a file or another account's folder in its place sends
    // it to the next candidate.
    void privateFolderPassesOverWhatIsNotOurs_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("firstKept");
        QTest::newRow("nothing yet") << "" << true;
        QTest::newRow("opened up to others") << "mode 0777" << true;
        QTest::newRow("a link") << "link" << false;
        QTest::newRow("a file") << "file" << false;
        if (::geteuid() == 0)
            QTest::newRow("another account's") << "other owner" << false;
    }

    void privateFolderPassesOverWhatIsNotOurs()
    {
        QFETCH(QString, planted);
        QFETCH(bool, firstKept);
        QTemporaryDir first;
        QTemporaryDir second;
        const QString usual = first.filePath(QStringLiteral("zorvel"));
        const QByteArray native = QFile::encodeName(usual);
        if (planted == "mode 0777" || planted == "other owner") {
            QVERIFY(::mkdir(native.constData(), 0777) == 0 && ::chmod(native.constData(), 0777) == 0);
            if (planted == "other owner")
                QVERIFY(::chown(native.constData(), 65534, 65534) == 0);
        } else if (planted == "link") {
            QVERIFY(QFile::link(second.path(), usual));
        } else if (planted == "file") {
            QFile file(usual);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        const QString chosen = privateFolderUnder({QStringLiteral("/proc/no-such-folder"), first.path(), second.path()},
                                                  QStringLiteral("zorvel"));
        QCOMPARE(chosen, firstKept ? usual : second.filePath(QStringLiteral("zorvel")));
        struct stat info {};
        QVERIFY(::lstat(QFile::encodeName(chosen).constData(), &info) == 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
        QVERIFY(privateFolderUnder({QString()}, QStringLiteral("zorvel")).isEmpty());
    }

    // What is planted in the help folder is replaced or refused, never
    // followed: the user's own files elsewhere stay as they were.
    void helpPagesNeverFollowWhatIsPlanted_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("copied");
        QTest::newRow("page is a link to the user's file") << "page link" << true;
        QTest::newRow("page is a FIFO") << "page fifo" << true;
        QTest::newRow("folder is a link to the user's folder") << "folder link" << false;
    }

    void helpPagesNeverFollowWhatIsPlanted()
    {
        QFETCH(QString, planted);
        QFETCH(bool, copied);
        QTemporaryDir dir;
        QTemporaryDir users;
        const QString target = dir.filePath(QStringLiteral("help"));
        const QString usersFile = users.filePath(QStringLiteral("index.html"));
        QFile own(usersFile);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("the user's own page");
        own.close();
        if (planted == "folder link") {
            QVERIFY(QFile::link(users.path(), target));
        } else {
            QVERIFY(QDir().mkpath(target));
            const QString page = target + QStringLiteral("/index.html");
            if (planted == "page link")
                QVERIFY(QFile::link(usersFile, page));
            else
                QVERIFY(::mkfifo(QFile::encodeName(page).constData(), 0600) == 0);
        }

        const QUrl page = extractHelpPage(QStringLiteral("index.html"), target);
        QCOMPARE(page.isValid(), copied);
        QCOMPARE(fileContent(usersFile), QByteArray("the user's own page"));
        if (copied) {
            QVERIFY(!QFileInfo(page.toLocalFile()).isSymLink());
            QCOMPARE(fileContent(page.toLocalFile()), fileContent(QStringLiteral(":/help/index.html")));
        }
    }
};

QTEST_MAIN(ShellStartupTest)
#include "shell_startup_test.moc"

// The main menu: every control's caption and tool tip, a few places, the
// colours, the drill buttons opening their forms modally through a fake
// factory, the real drill windows, automation ids, and "退  出".
#include "shell/automation_ids.h"
#include "shell/drill_launcher.h"
#include "shell/main_menu.h"
#include "records/sqlite_record_store.h"
#include "shell/program_records.h"
#include "shell/startup.h"
#include "design_units/screen_units.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace zorvel;

namespace {

const QString normalTip = QStringLiteral("每题计算正确后出下一题 计总时间");
const QString listeningTip = QStringLiteral("语音播报  连续出题  答案回放");

HelpPages noPages()
{
    return HelpPages([](const QUrl&, const BrowserOutcome&) {}, QString());
}

// A left click delivered through the window system, so that modality applies.
void clickThroughWindow(QWidget* menu, const QString& name)
{
    QWidget* control = menu->findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    const QPoint centre = control->mapTo(menu, control->rect().center());
    QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, centre);
}

QColor faceColour(QWidget* button)
{
    const QImage face = button->grab().toImage();
    return face.pixelColor(5, face.height() / 2);
}

QString textOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return QStringLiteral("<neither label nor button>");
}

} // namespace

class ShellMenuTest : public QObject {
    Q_OBJECT
private slots:
    void captionsAndToolTips()
    {
        MainMenu menu(nullptr, noPages());
        QList<std::tuple<QString, QString, QString>> rows = {
            {"lblTitle", "Tavimo公益软件 Zorvel", ""}, {"Label2", "普通模式", ""},
            {"Label3", "听算模式", "连续出题，语音播报，答案回放，此模式需语音模块支持，若无此模块，则需要手动安装TTS语音引擎"},
            {"Command0", "退  出", ""}, {"Label7", "2020-11", ""}, {"Label5", "", ""},
            {"cmdFluency", "达标测试", "限时口算：正确率、每分钟正确题数和个人最好"},
        };
        const char* operations[] = {"加  法", "减  法", "加减混合", "乘  法", "除  法"};
        for (int i = 0; i < 5; ++i) {
            rows.append({QStringLiteral("Command%1").arg(i + 1), QString::fromUtf8(operations[i]), normalTip});
            rows.append({QStringLiteral("Command%1").arg(i + 6), QString::fromUtf8(operations[i]), listeningTip});
        }
        for (const auto& [name, caption, tip] : rows) {
            QWidget* control = menu.findChild<QWidget*>(name);
            QVERIFY2(control && control->parentWidget() == &menu, qPrintable(name));
            QCOMPARE(textOf(control), caption);
            QCOMPARE(control->toolTip(), tip);
        }
        QVERIFY(!textOf(menu.findChild<QWidget*>("Label1")).isEmpty());
    }

    // The offscreen screen (800 × 600) is smaller than the menu: it opens
    // scaled down as a whole, its frame's allowance inside the free area.
    void menuFitsTheScreenScaledAsAWhole()
    {
        MainMenu menu(nullptr, noPages());
        const QSize design = twipsSize(15315, 11070);
        const QRect room = menu.screen()->availableGeometry();
        QVERIFY(menu.width() < design.width());
        QVERIFY(menu.frameGeometry().top() >= room.top());
        QVERIFY(menu.height() + 32 <= room.height());
        const qreal scale = qreal(menu.height()) / design.height();
        QCOMPARE(menu.findChild<QWidget*>("Command5")->size(), twipsRect(QRect(9720, 7320, 1500, 600), scale).size());
        QCOMPARE(menu.findChild<QLabel*>("lblTitle")->font().pointSizeF(), 48 * scale);
        QVERIFY(menu.minimumWidth() < menu.width());
    }

    // At the designed size, twips scaled to pixels, for a few controls of
    // each kind and the pictures.
    void representativePlaces()
    {
        MainMenu menu(nullptr, noPages());
        QCOMPARE(menu.objectName(), QStringLiteral("form1"));
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.resize(twipsSize(15315, 11070));
        const QList<std::pair<const char*, QRect>> rows = {
            {"lblTitle", {1800, 0, 12525, 1305}}, {"Command5", {9720, 7320, 1500, 600}},
            {"Command10", {11640, 7320, 1500, 600}}, {"Command0", {11640, 8400, 1500, 600}},
            {"Label6", {1560, 8640, 6855, 615}}, {"Image1", {360, 240, 720, 720}},
            {"picIcon", {2400, 3360, 4800, 4800}},
        };
        for (const auto& [name, twips] : rows)
            QCOMPARE(menu.findChild<QWidget*>(name)->geometry(), twipsRect(twips));
        QCOMPARE(menu.findChild<QLabel*>("Image1")->pixmap().size(), QSize(48, 48));
        QCOMPARE(menu.findChild<QLabel*>("picIcon")->pixmap().size(), QSize(320, 320));

        QWidget* line = menu.findChild<QWidget*>("Line1");
        QVERIFY(line);
        QCOMPARE(line->geometry(), QRect(QPoint(twipsToPixels(1320), twipsToPixels(9360)), QPoint(twipsToPixels(13560), twipsToPixels(9360))));
        QCOMPARE(menu.grab().toImage().pixelColor(line->x() + line->width() / 2, line->y()), QColor(128, 128, 128));
    }

    void slogansTitleAndColoursAreSet()
    {
        MainMenu menu(nullptr, noPages());
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.resize(twipsSize(15315, 11070));
        menu.setSlogans();
        QCOMPARE(menu.findChild<QLabel*>("Label5")->text(), QStringLiteral("随机出题求变化 即时反馈保质量 自动计时求速度，游戏化高效快乐学习"));
        QCOMPARE(menu.findChild<QLabel*>("Label4")->text(), QStringLiteral("语音播报练听算 答案回放自批改 5分钟完成出题 测验 批改 反馈全过程"));
        QCOMPARE(menu.findChild<QLabel*>("Label6")->text(), QStringLiteral(" 人的大脑 非常神奇 开发是金 不用是泥"));

        const QLabel* title = menu.findChild<QLabel*>("lblTitle");
        QCOMPARE(title->font().pointSize(), 48);
        QVERIFY(title->font().bold());
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(title->alignment() & Qt::AlignHCenter);

        // The faces are painted in the fill colours, not only set in a palette.
        const QColor before = faceColour(menu.findChild<QWidget*>("Command1"));
        menu.setButtonColours();
        for (int i = 1; i <= 10; ++i) {
            QWidget* button = menu.findChild<QWidget*>(QStringLiteral("Command%1").arg(i));
            QCOMPARE(faceColour(button), i <= 5 ? QColor(0, 255, 192) : QColor(255, 204, 204));
        }
        QVERIFY(before != QColor(0, 255, 192));
        QVERIFY(faceColour(menu.findChild<QWidget*>("Command0")) != QColor(0, 255, 192));
    }

    void captionsFitTheirControls()
    {
        MainMenu menu(nullptr, noPages());
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.resize(twipsSize(15315, 11070));
        menu.setSlogans();
        for (QLabel* label : menu.findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->objectName()));
            QVERIFY2(metrics.tightBoundingRect(label->text()).height() <= label->height(), qPrintable(label->objectName()));
        }
        for (QPushButton* button : menu.findChildren<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            QVERIFY2(metrics.horizontalAdvance(button->text()) + 8 <= button->width(), qPrintable(button->objectName()));
            QVERIFY2(metrics.height() + 4 <= button->height(), qPrintable(button->objectName()));
        }
    }

    void drillButtonOpensItsFormModally_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("formName");
        for (int i = 1; i <= 5; ++i)
            QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i))) << QStringLiteral("Command%1").arg(i) << QStringLiteral("Form8%1").arg(i);
        for (int i = 6; i <= 10; ++i)
            QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i))) << QStringLiteral("Command%1").arg(i) << QStringLiteral("Form9%1").arg(i - 5);
        QTest::newRow("cmdFluency") << "cmdFluency" << "frmFluency";
        QTest::newRow("cmdDaily") << QStringLiteral("cmdDaily") << QStringLiteral("frmDaily");
    }

    void addedButtonTakesFreePlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("cmdDaily") << QStringLiteral("cmdDaily") << QStringLiteral("今日练习");
        QTest::newRow("cmdFluency") << QStringLiteral("cmdFluency") << QStringLiteral("达标测试");
    }

    void addedButtonTakesFreePlace()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        MainMenu menu(nullptr, noPages());
        menu.setSlogans();
        QWidget* added = menu.findChild<QPushButton*>(name);
        QVERIFY(added);
        QCOMPARE(QAccessible::queryAccessibleInterface(added)->text(QAccessible::Name), caption);
        QVERIFY(menu.rect().contains(added->geometry()));
        for (QWidget* other : menu.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != added)
                QVERIFY2(!other->geometry().intersects(added->geometry()), qPrintable(other->objectName()));
        }
    }

    void drillButtonOpensItsFormModally()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, formName);

        QStringList opened;
        QWidget* modalSeen = nullptr;
        QWindow* transientParentSeen = nullptr;
        MainMenu* menuPtr = nullptr;
        auto factory = [&](const QString& name) -> std::unique_ptr<QDialog> {
            opened << name;
            auto dialog = std::make_unique<QDialog>();
            QDialog* window = dialog.get();
            if (opened.size() == 1) {
                QTimer::singleShot(0, window, [&, window] {
                    modalSeen = QApplication::activeModalWidget();
                    transientParentSeen = modalSeen->windowHandle()->transientParent();
                    // The menu is inert underneath: neither another drill button
                    // nor "退  出" reacts.
                    clickThroughWindow(menuPtr, QStringLiteral("Command1"));
                    clickThroughWindow(menuPtr, QStringLiteral("Command10"));
                    clickThroughWindow(menuPtr, QStringLiteral("Command0"));
                    window->reject();
                });
            } else {
                QTimer::singleShot(0, window, &QDialog::reject);
            }
            return dialog;
        };
        MainMenu menu(factory, noPages());
        menuPtr = &menu;
        QSignalSpy quitSpy(&menu, &MainMenu::quitRequested);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));

        clickThroughWindow(&menu, buttonName);
        QCOMPARE(opened, QStringList{formName});
        QVERIFY(modalSeen && modalSeen != &menu);
        // The window manager keeps the drill window above the menu.
        QCOMPARE(transientParentSeen, menu.windowHandle());
        QCOMPARE(quitSpy.count(), 0);

        // Usable again once the window is closed, and every opening makes it anew.
        clickThroughWindow(&menu, buttonName);
        QCOMPARE(opened, (QStringList{formName, formName}));
    }

    void realWindowOpensAndReturns_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("formName");
        QTest::newRow("normal 乘法") << "Command4" << "Form84";
        QTest::newRow("listening 乘法") << "Command9" << "Form94";
    }

    void realWindowOpensAndReturns()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, formName);
        MainMenu menu(drillWindowFactory(), noPages());
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        for (int opening = 0; opening < 2; ++opening) {
            QString shown;
            bool defaultLevel = false;
            QTimer::singleShot(0, &menu, [&] {
                QWidget* window = QApplication::activeModalWidget();
                if (!window)
                    return;
                shown = window->objectName();
                // "1位 * 1位" each time, though the last opening left "2位 * 1位".
                defaultLevel = window->findChild<QAbstractButton*>("Option3")->isChecked();
                window->findChild<QAbstractButton*>("Option5")->click();
                if (auto* back = window->findChild<QAbstractButton*>("Command2"))
                    back->click();
            });
            menu.findChild<QPushButton*>(buttonName)->click();
            QCOMPARE(shown, formName);
            QVERIFY(defaultLevel);
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
    }

    // "达标测试" opens the chooser; a chosen test opens its window over it,
    // and "返 回" leads back to the chooser and then to the menu.
    void fluencyChooserStartsTheChosenTest()
    {
        MainMenu menu(drillWindowFactory(), noPages());
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QStringList shown;
        QTimer::singleShot(0, &menu, [&] {
            QWidget* chooser = QApplication::activeModalWidget();
            shown << chooser->objectName();
            chooser->findChild<QAbstractButton*>("optTest2")->click();
            QTimer::singleShot(0, &menu, [&] {
                QWidget* window = QApplication::activeModalWidget();
                shown << window->objectName() << window->findChild<QLabel*>("Label3")->text();
                window->findChild<QAbstractButton*>("Command2")->click();
            });
            chooser->findChild<QAbstractButton*>("cmdStart")->click();
            chooser->findChild<QAbstractButton*>("cmdBack")->click();
        });
        menu.findChild<QPushButton*>("cmdFluency")->click();
        QCOMPARE(shown, (QStringList{"frmFluency", "FormFluency4", "×"}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void automationIdsOnlyWithTheVariable()
    {
        qunsetenv("ZORVEL_AUTOMATION_IDS");
        QVERIFY(!installAutomationIdsFromEnvironment(*qApp));
        {
            MainMenu menu(nullptr, noPages());
            menu.show();
            QVERIFY(QTest::qWaitForWindowExposed(&menu));
            QCOMPARE(menu.findChild<QWidget*>("Command1")->accessibleDescription(), QString());
        }

        qputenv("ZORVEL_AUTOMATION_IDS", "1");
        QVERIFY(installAutomationIdsFromEnvironment(*qApp));
        MainMenu menu(nullptr, noPages());
        menu.findChild<QWidget*>("Label7")->setAccessibleDescription(QStringLiteral("日期"));
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        for (const char* name : {"Command1", "Command10", "Command0", "lblTitle", "Label3", "picIcon", "Line1"})
            QCOMPARE(menu.findChild<QWidget*>(name)->accessibleDescription(), QString::fromLatin1(name));
        QCOMPARE(menu.findChild<QWidget*>("Label7")->accessibleDescription(), QStringLiteral("日期"));
        QCOMPARE(menu.accessibleDescription(), QStringLiteral("form1"));

        // Captions stay the accessible names.
        QCOMPARE(QAccessible::queryAccessibleInterface(menu.findChild<QWidget*>("Command1"))->text(QAccessible::Name), QStringLiteral("加  法"));
        QCOMPARE(QAccessible::queryAccessibleInterface(menu.findChild<QWidget*>("Label2"))->text(QAccessible::Name), QStringLiteral("普通模式"));

        // Windows made later, and controls added to them later, are covered too.
        QDialog later;
        auto* answer = new QLineEdit(&later);
        answer->setObjectName(QStringLiteral("Text1"));
        later.show();
        QVERIFY(QTest::qWaitForWindowExposed(&later));
        QCOMPARE(answer->accessibleDescription(), QStringLiteral("Text1"));
        auto* added = new QLabel(QStringLiteral("√"), &later);
        added->setObjectName(QStringLiteral("Label9(10)"));
        added->show();
        QCOMPARE(added->accessibleDescription(), QStringLiteral("Label9(10)"));

        delete qApp->findChild<AutomationIds*>();
        qunsetenv("ZORVEL_AUTOMATION_IDS");
    }

    void exitEndsTheEventLoop_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("退  出") << false;
        QTest::newRow("menu window closed") << true;
    }

    // The record opens behind the menu; the pupil it remembers reaches the
    // menu's label once it is open (a record of the first layout, migrated).
    void pupilLabelFollowsTheRecordOpenedBehindTheMenu()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("data/records.db"));
        QDir().mkpath(dir.filePath(QStringLiteral("data")));
        QVERIFY(QFile::copy(QStringLiteral(ZORVEL_RECORDS_TEST_DATA "/records-v1.db"), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        ProgramRecords records;
        MainMenu menu(records.drillWindowFactory(), noPages());
        menu.show();
        // The record holds two pupils: once it is open, who is practising is
        // asked, the current pupil preselected; Enter keeps it.
        QString asked;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (QWidget* chooser = QApplication::activeModalWidget()) {
                asked = chooser->windowTitle();
                QTest::keyClick(chooser, Qt::Key_Return);
            }
        });
        answer.start(0);
        records.open(path, QStringLiteral("我"));
        records.attachTo(menu);
        QTRY_COMPARE(menu.findChild<QLabel*>(QStringLiteral("lblPupil"))->toolTip(), QStringLiteral("学生：Li, \"Ann\""));
        QTRY_COMPARE(asked, QStringLiteral("谁在练习？"));
        QCOMPARE(menu.findChild<QLabel*>(QStringLiteral("lblPupil"))->toolTip(), QStringLiteral("学生：Li, \"Ann\""));
    }

    // A new record asks for the child's name (not the account's); a name
    // refused is said and the field stays; "跳过" keeps "学生".
    void firstStartAsksTheChildsName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("named") << QStringLiteral(" 小红 ") << QStringLiteral("学生：小红");
        QTest::newRow("skipped") << QString() << QStringLiteral("学生：学生");
    }
    void firstStartAsksTheChildsName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        ProgramRecords records;
        MainMenu menu(records.drillWindowFactory(), noPages());
        menu.show();
        records.open(dir.filePath(QStringLiteral("records.db")), records::defaultPupilName());
        records.attachTo(menu);
        QTRY_VERIFY(menu.findChild<QDialog*>(QStringLiteral("frmFirstPupil")));
        auto* dialog = menu.findChild<QDialog*>(QStringLiteral("frmFirstPupil"));
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("txtPupilName"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("lblNameRefused"))->isVisible());
        if (typed.isEmpty()) {
            dialog->findChild<QPushButton*>(QStringLiteral("cmdNameSkip"))->click();
        } else {
            field->setText(typed);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QTRY_COMPARE(menu.findChild<QLabel*>(QStringLiteral("lblPupil"))->toolTip(), shown);
    }

    // Last: ending the program leaves its mark on this thread's event loops.
    void exitEndsTheEventLoop()
    {
        QFETCH(bool, closeWindow);
        QTemporaryDir dir;
        SingleInstance instance(dir.filePath(QStringLiteral("zorvel.lock")));
        auto menu = startMainMenu(nullptr, noPages(), instance);
        QVERIFY(menu);
        QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
        QTimer::singleShot(0, menu.get(), [&] {
            if (closeWindow)
                menu->close();
            else
                clickThroughWindow(menu.get(), QStringLiteral("Command0"));
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        guard.start(30000);
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(ShellMenuTest)
#include "shell_menu_test.moc"

// The main menu: every control's name, caption, tool tip, place and colour,
// the drill buttons opening their forms modally through a fake factory, the
// real drill windows, automation ids, and "退  出".
#include "shell/automation_ids.h"
#include "shell/drill_launcher.h"
#include "shell/main_menu.h"
#include "shell/startup.h"
#include "normal_drill/screen_units.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
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
    return HelpPages([](const QUrl&) {}, QString());
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

} // namespace

class ShellMenuTest : public QObject {
    Q_OBJECT
private slots:
    void controlsHaveTheirCaptionsTipsAndPlaces_data();
    void controlsHaveTheirCaptionsTipsAndPlaces();
    void slogansTitleAndColoursAreSet();
    void captionsFitTheirControls();
    void picturesAndSeparator();
    void drillButtonOpensItsFormModally_data();
    void drillButtonOpensItsFormModally();
    void realWindowOpensAndReturns_data();
    void realWindowOpensAndReturns();
    void automationIdsOnlyWithTheVariable();
    void exitEndsTheEventLoop_data();
    void exitEndsTheEventLoop();
};

void ShellMenuTest::controlsHaveTheirCaptionsTipsAndPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("lblTitle") << "lblTitle" << "Tavimo公益软件 Zorvel" << "" << QRect(1800, 0, 12525, 1305);
    QTest::newRow("Label2") << "Label2" << "普通模式" << "" << QRect(9720, 3240, 1500, 600);
    QTest::newRow("Label3") << "Label3" << "听算模式"
                            << "连续出题,语音播报,答案回放,此模式需语音模块支持,若无此模块,则需要手动安装TTS语音引擎"
                            << QRect(11640, 3240, 1500, 600);
    const char* operations[] = {"加  法", "减  法", "加减混合", "乘  法", "除  法"};
    const int tops[] = {3960, 4800, 5640, 6480, 7320};
    for (int i = 0; i < 5; ++i) {
        const QString normal = QStringLiteral("Command%1").arg(i + 1);
        const QString listening = QStringLiteral("Command%1").arg(i + 6);
        QTest::newRow(qPrintable(normal)) << normal << QString::fromUtf8(operations[i]) << normalTip << QRect(9720, tops[i], 1500, 600);
        QTest::newRow(qPrintable(listening)) << listening << QString::fromUtf8(operations[i]) << listeningTip << QRect(11640, tops[i], 1500, 600);
    }
    QTest::newRow("Command0") << "Command0" << "退  出" << "" << QRect(11640, 8400, 1500, 600);
    QTest::newRow("Label7") << "Label7" << "2020-11" << "" << QRect(6960, 10320, 1815, 495);
    QTest::newRow("Label5") << "Label5" << "" << "" << QRect(360, 1440, 14400, 495);
    QTest::newRow("Label4") << "Label4" << "" << "" << QRect(360, 2280, 14520, 495);
    QTest::newRow("Label6") << "Label6" << "" << "" << QRect(1560, 8640, 6855, 615);
    QTest::newRow("Label1") << "Label1" << "*" << "" << QRect(3720, 9720, 7800, 375);
}

void ShellMenuTest::controlsHaveTheirCaptionsTipsAndPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QRect, twips);

    MainMenu menu(nullptr, noPages());
    QWidget* control = menu.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &menu);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else
        QFAIL("neither label nor button");
    if (caption == QLatin1String("*"))
        QVERIFY(!text.isEmpty());
    else
        QCOMPARE(text, caption);
    QCOMPARE(control->toolTip(), toolTip);
    QCOMPARE(control->geometry(), twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

void ShellMenuTest::slogansTitleAndColoursAreSet()
{
    MainMenu menu(nullptr, noPages());
    menu.setSlogans();
    QCOMPARE(menu.findChild<QLabel*>("Label5")->text(), QStringLiteral("随机出题求变化 即时反馈保质量 自动计时求速度,游戏化高效快乐学习"));
    QCOMPARE(menu.findChild<QLabel*>("Label4")->text(), QStringLiteral("语音播报练听算 答案回放自批改 5分钟完成出题 测验 批改 反馈全过程"));
    QCOMPARE(menu.findChild<QLabel*>("Label6")->text(), QStringLiteral(" 人的大脑 非常神奇 开发是金 不用是泥"));
    QCOMPARE(menu.objectName(), QStringLiteral("form1"));
    QCOMPARE(menu.size(), twipsSize(15315, 11070));

    const QLabel* title = menu.findChild<QLabel*>("lblTitle");
    QCOMPARE(title->font().pointSize(), 48);
    QVERIFY(title->font().bold());
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(title->alignment() & Qt::AlignHCenter);

    // The faces are painted in the fill colours, not only set in a palette.
    QWidget* green = menu.findChild<QWidget*>("Command1");
    const QColor before = faceColour(green);
    menu.setButtonColours();
    for (int i = 1; i <= 10; ++i) {
        QWidget* button = menu.findChild<QWidget*>(QStringLiteral("Command%1").arg(i));
        QCOMPARE(faceColour(button), i <= 5 ? QColor(0, 255, 192) : QColor(255, 204, 204));
    }
    QVERIFY(before != QColor(0, 255, 192));
    QVERIFY(faceColour(menu.findChild<QWidget*>("Command0")) != QColor(0, 255, 192));
}

void ShellMenuTest::captionsFitTheirControls()
{
    MainMenu menu(nullptr, noPages());
    menu.setSlogans();
    for (QLabel* label : menu.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
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

void ShellMenuTest::picturesAndSeparator()
{
    MainMenu menu(nullptr, noPages());
    const auto* logo = menu.findChild<QLabel*>("Image1");
    const auto* head = menu.findChild<QLabel*>("picIcon");
    QVERIFY(logo && head);
    QCOMPARE(logo->pixmap().size(), QSize(48, 48));
    QCOMPARE(head->pixmap().size(), QSize(320, 320));
    QCOMPARE(logo->geometry(), twipsRect(360, 240, 720, 720));
    QCOMPARE(head->geometry(), twipsRect(2400, 3360, 4800, 4800));

    QWidget* line = menu.findChild<QWidget*>("Line1");
    QVERIFY(line);
    QCOMPARE(line->x(), twipsToPixels(1320));
    QCOMPARE(line->y(), twipsToPixels(9360));
    QCOMPARE(line->x() + line->width() - 1, twipsToPixels(13560));
    QCOMPARE(line->height(), 1);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(menu.grab().toImage().pixelColor(line->x() + line->width() / 2, line->y()), QColor(128, 128, 128));
}

void ShellMenuTest::drillButtonOpensItsFormModally_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("formName");
    for (int i = 1; i <= 5; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i))) << QStringLiteral("Command%1").arg(i) << QStringLiteral("Form8%1").arg(i);
    for (int i = 6; i <= 10; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i))) << QStringLiteral("Command%1").arg(i) << QStringLiteral("Form9%1").arg(i - 5);
}

void ShellMenuTest::drillButtonOpensItsFormModally()
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

void ShellMenuTest::realWindowOpensAndReturns_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("formName");
    QTest::newRow("normal 乘法") << "Command4" << "Form84";
    QTest::newRow("listening 乘法") << "Command9" << "Form94";
}

void ShellMenuTest::realWindowOpensAndReturns()
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

void ShellMenuTest::automationIdsOnlyWithTheVariable()
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

void ShellMenuTest::exitEndsTheEventLoop_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::newRow("退  出") << false;
    QTest::newRow("menu window closed") << true;
}

// Last: ending the program leaves its mark on this thread's event loops.
void ShellMenuTest::exitEndsTheEventLoop()
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

QTEST_MAIN(ShellMenuTest)
#include "shell_menu_test.moc"

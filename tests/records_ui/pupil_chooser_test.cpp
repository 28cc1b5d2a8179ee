// Who is practising: the chooser over an in-memory store (the current pupil
// preselected, Enter confirms, adding a pupil), the question at start only
// with two or more pupils, and the menu's pupil label opening it by mouse
// and by keyboard.
#include "shell/main_menu.h"
#include "shell/pupil_chooser.h"
#include "tests/records_ui/fake_record_store.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zorvel;
using zorvel::testing::FakeRecordStore;

namespace {

// Three pupils, the second one current.
void fillThree(FakeRecordStore& store)
{
    store.addPupil(QStringLiteral("小红"));
    store.addPupil(QStringLiteral("小刚"));
    store.setCurrentPupil(store.pupils()[1].id);
}

// Where Tab moves the focus from `from`.
QWidget* nextByTab(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && !((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()))
        next = next->nextInFocusChain();
    return next;
}

QString selectedName(PupilChooser& chooser)
{
    const QListWidgetItem* item = chooser.findChild<QListWidget*>("lstPupils")->currentItem();
    return item ? item->text() : QString();
}

} // namespace

class PupilChooserTest : public QObject {
    Q_OBJECT
private slots:
    void currentPreselectedAndEnterConfirms_data()
    {
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Enter at once") << 0 << QStringLiteral("小红");
        QTest::newRow("one down") << 1 << QStringLiteral("小刚");
    }
    void currentPreselectedAndEnterConfirms()
    {
        QFETCH(int, downs);
        QFETCH(QString, chosen);
        FakeRecordStore store;
        fillThree(store);
        PupilChooser chooser(store, nullptr, nullptr);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QCOMPARE(selectedName(chooser), QStringLiteral("小红"));
        QWidget* list = chooser.findChild<QListWidget*>("lstPupils");
        QCOMPARE(chooser.focusWidget(), list);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(store.currentPupil().name, chosen);
    }

    void cancelKeepsThePupil()
    {
        FakeRecordStore store;
        fillThree(store);
        PupilChooser chooser(store, nullptr, nullptr);
        chooser.show();
        QTest::keyClick(chooser.findChild<QListWidget*>("lstPupils"), Qt::Key_Down);
        QTest::keyClick(&chooser, Qt::Key_Escape);
        QCOMPARE(store.currentPupil().name, QStringLiteral("小红"));
    }

    void addingAPupilSelectsItOrSaysWhyNot()
    {
        FakeRecordStore store;
        QStringList told;
        QString typed = QStringLiteral(" 小刚 ");
        PupilChooser chooser(
            store, [&](QWidget*, const QString&, const QString&) { return std::optional<QString>(typed); },
            [&](QWidget*, const QString&, const QString& text) { told.append(text); });
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        // Enter on "添加学生…" adds a pupil, as a click does.
        auto* add = chooser.findChild<QPushButton*>("cmdAddPupil");
        add->setFocus();
        QTest::keyClick(add, Qt::Key_Return);
        QVERIFY(chooser.isVisible());
        QCOMPARE(selectedName(chooser), QStringLiteral("小刚"));
        QCOMPARE(store.pupils().size(), size_t(2));
        chooser.findChild<QPushButton*>("cmdAddPupil")->click();
        QCOMPARE(store.pupils().size(), size_t(2));
        QCOMPARE(told.size(), 1);
        QVERIFY(told.front().contains(QStringLiteral("重名")));
        // A name that is no name says what is wrong with it.
        typed = QString(41, QChar(0x5218));
        chooser.findChild<QPushButton*>("cmdAddPupil")->click();
        QCOMPARE(told.size(), 2);
        QVERIFY2(told.last().contains(QStringLiteral("太长")), qPrintable(told.last()));
        chooser.accept();
        QCOMPARE(store.currentPupil().name, QStringLiteral("小刚"));
    }

    void askedAtStartOnlyWithTwoOrMorePupils()
    {
        FakeRecordStore store;
        QVERIFY(!askWhoIsPractising(store, nullptr, nullptr, nullptr));
        store.addPupil(QStringLiteral("小红"));
        QString shown;
        QTimer::singleShot(0, this, [&] {
            QWidget* chooser = QApplication::activeModalWidget();
            shown = chooser ? chooser->windowTitle() : QString();
            if (chooser)
                QTest::keyClick(chooser->findChild<QListWidget*>("lstPupils"), Qt::Key_Return);
        });
        QVERIFY(askWhoIsPractising(store, nullptr, nullptr, nullptr));
        QCOMPARE(shown, QStringLiteral("谁在练习？"));
        QCOMPARE(store.currentPupil().name, QStringLiteral("小明"));
    }

    void menuPupilLabelOpensTheChooserByMouseAndKeyboard()
    {
        MainMenu menu(nullptr, HelpPages([](const QUrl&, const BrowserOutcome&) {}, QString()));
        int asked = 0;
        QString name = QStringLiteral("小明");
        menu.setRecords(nullptr, [&] { return name; }, [&] {
            ++asked;
            name = QStringLiteral("小红");
        });
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        auto* label = menu.findChild<QLabel*>("lblPupil");
        QCOMPARE(label->text(), QStringLiteral("学生：小明"));
        // The menu opens on its first drill button; Tab reaches the pupil after the buttons.
        QCOMPARE(menu.focusWidget(), menu.findChild<QWidget*>("Command1"));
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(asked, 1);
        QCOMPARE(label->text(), QStringLiteral("学生：小红"));
        QTRY_VERIFY(label->focusPolicy() & Qt::TabFocus);
        QCOMPARE(nextByTab(menu.findChild<QWidget*>("cmdFluency"))->objectName(), QStringLiteral("cmdClass"));
        QCOMPARE(nextByTab(menu.findChild<QWidget*>("cmdClass"))->objectName(), QStringLiteral("lblPupil"));
        QCOMPARE(nextByTab(label)->objectName(), QStringLiteral("Label3"));

        label->setFocus();
        QTest::keyClick(label, Qt::Key_Return);
        QTest::keyClick(label, Qt::Key_Space);
        QCOMPARE(asked, 3);
    }
};

QTEST_MAIN(PupilChooserTest)
#include "pupil_chooser_test.moc"

// The five normal-mode windows driven through their widgets: opening state,
// whole tests, keypad and keyboard entry, checking, resets and focus.
#include "driver.h"

#include "normal_drill/normal_window.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class NormalWindowTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(const QString& form) { openWindow(createNormalDrillWindow, form); }
    void ask() { click(window, "Command1"); }
    void answerRight() { typeOnKeypad(window, rightAnswerText(window)); click(window, "Command16"); }
    QRadioButton* option(const QString& name) { return window->findChild<QRadioButton*>(name); }
    // One question of a whole test: asked, answered wrong by mouse and by
    // Enter, corrected and answered right; the tenth at 1:06.00.
    void answerWrongThenRight(const QString& form, int n)
    {
        ask();
        const QString number = form == "Form82" ? QString::number(n) : QString::number(n).rightJustified(2, ' ');
        QCOMPARE(caption(window, "Label4"), number);
        QVERIFY(!caption(window, "Label9(1)").trimmed().isEmpty());
        QCOMPARE(QApplication::focusWidget(), answerBox(window));
        QVERIFY(answerBox(window)->text().isEmpty());
        QVERIFY(!button(window, "Command1")->isEnabled());
        QVERIFY(!button(window, "Command16")->isEnabled());
        QVERIFY(button(window, "Command5")->isEnabled());

        // A wrong answer confirmed by mouse keeps the focus on "确定"; Enter there checks again.
        typeOnKeypad(window, rightAnswerText(window) + "1");
        QTest::mouseClick(button(window, "Command16"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), button(window, "Command16"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
        QVERIFY(!button(window, "Command1")->isEnabled());
        QVERIFY(button(window, "Command15")->isEnabled());
        QVERIFY(answerBox(window)->text().endsWith("1"));

        click(window, "Command15");
        QCOMPARE(caption(window, "Label9(10)"), QString());
        if (n == 10) {
            fakes.clock->now += 65996 - 9 * 6500;
            QTRY_COMPARE(stopwatchText(window), QString("1:06.00"));
        }
        click(window, "Command16");
        QCOMPARE(caption(window, "Label9(10)"), QString("√"));
        fakes.clock->now += 6500;
    }
    void addFormRows()
    {
        QTest::addColumn<QString>("form");
        for (const char* form : {"Form81", "Form82", "Form83", "Form84", "Form85"})
            QTest::newRow(form) << QString::fromLatin1(form);
    }

private slots:
    void unknownNameGivesNoWindow()
    {
        QVERIFY(!createNormalDrillWindow("Form86", Fakes().services()));
        QVERIFY(!createNormalDrillWindow("Form91", Fakes().services()));
    }

    void opensWithDefaults_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("defaultLevel");
        QTest::addColumn<int>("levelsShown");
        QTest::addColumn<bool>("typesShown");
        QTest::newRow("Form81") << "Form81" << "Zorvel (加 法) " << "2位 + 1位" << 9 << true;
        QTest::newRow("Form82") << "Form82" << "Zorvel (减 法) " << "2位 - 1位" << 9 << true;
        QTest::newRow("Form83") << "Form83" << "Zorvel (加减混合) " << "2位 + 1位" << 7 << true;
        QTest::newRow("Form84") << "Form84" << "Zorvel (乘 法) " << "1位 * 1位" << 6 << false;
        QTest::newRow("Form85") << "Form85" << "Zorvel (除 法) " << "/1位=1位" << 6 << false;
    }
    void opensWithDefaults()
    {
        QFETCH(QString, form);
        QFETCH(QString, heading);
        QFETCH(QString, defaultLevel);
        QFETCH(int, levelsShown);
        QFETCH(bool, typesShown);
        open(form);
        QCOMPARE(dialog->windowTitle(), QString("Zorvel 2020-1版"));
        QCOMPARE(caption(window, "Label7"), heading);
        QVERIFY(button(window, "Command1")->isEnabled());
        for (int k = 3; k <= 16; ++k)
            QVERIFY(!button(window, QString("Command%1").arg(k))->isEnabled());
        QVERIFY(!button(window, "Command18")->isVisible());
        QCOMPARE(stopwatchText(window), QString("0:00.00"));
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QCOMPARE(caption(window, "Label9(10)"), QString());
        QVERIFY(caption(window, "Label9(0)").trimmed().isEmpty());
        QVERIFY(!label(window, "Picture1")->isVisible());
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
        QCOMPARE(answerBox(window)->accessibleName(), QString("答案"));
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));

        int shown = 0;
        QString checked;
        for (QRadioButton* o : window->findChild<QGroupBox*>("Frame2")->findChildren<QRadioButton*>()) {
            shown += o->isVisible();
            if (o->isChecked())
                checked = o->text();
        }
        QCOMPARE(shown, levelsShown);
        QCOMPARE(checked, defaultLevel);
        QCOMPARE(window->findChild<QGroupBox*>("Frame3")->isVisible(), typesShown);
        QVERIFY(option("Option7")->isChecked());
        QCOMPARE(window->findChild<QLabel*>("Label9(2)") != nullptr, form == "Form83");
    }

    void wholeTestWithWrongAndRightAnswers_data() { addFormRows(); }
    void wholeTestWithWrongAndRightAnswers()
    {
        QFETCH(QString, form);
        open(form);
        QLabel* picture = label(window, "Picture1");
        for (int n = 1; n <= 10; ++n) {
            answerWrongThenRight(form, n);
            if (QTest::currentTestFailed())
                return;
            if (n < 10) {
                QVERIFY(button(window, "Command1")->isEnabled());
                QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
                QVERIFY(!picture->isVisible());
                QVERIFY(!button(window, "Command3")->isEnabled());
            }
        }
        QVERIFY(picture->isVisible());
        QCOMPARE(stopwatchText(window), QString("1:06.00"));
        QVERIFY(!button(window, "Command1")->isEnabled());
        QVERIFY(button(window, "Command3")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command3"));
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
        QCOMPARE(caption(window, "Label4"), QString("10"));

        if (form == "Form81") {
            // This one ends with a screen reader's toggle of a focus-keeping level
            // instead: the picture stays; the focus was on "再测一次", which the
            // reset disables, and must not fall to "返 回".
            option("Option3")->toggle();
            QVERIFY(picture->isVisible());
            QVERIFY(!button(window, "Command3")->isEnabled());
            QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
            return;
        }
        click(window, "Command3");
        QVERIFY(!picture->isVisible());
        QCOMPARE(caption(window, "Label4"), QString(" 0"));
        QCOMPARE(stopwatchText(window), QString("0:00.00"));
        QVERIFY(button(window, "Command1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        QVERIFY(!button(window, "Command3")->isEnabled());
        ask();
        QCOMPARE(caption(window, "Label4").trimmed(), QString("1"));
    }

    void answerForms_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("right");
        QTest::newRow("integer as is") << "Option7" << "" << "" << true;
        QTest::newRow("integer leading zero") << "Option7" << "0" << "" << true;
        QTest::newRow("integer trailing point") << "Option7" << "" << "." << true;
        QTest::newRow("integer after point") << "Option7" << "" << ".5" << false;
        QTest::newRow("one decimal trailing zero") << "Option8" << "" << "0" << true;
        QTest::newRow("two decimals as is") << "Option9" << "" << "" << true;
    }
    void answerForms()
    {
        QFETCH(QString, type);
        QFETCH(QString, prefix);
        QFETCH(QString, suffix);
        QFETCH(bool, right);
        // A chosen seed whose first answers of every type have a digit from 1
        // to 9, so that "确定" can be pressed.
        Fakes chosen;
        chosen.seed = 7;
        openWindow(createNormalDrillWindow, "Form81", chosen);
        option(type)->setChecked(true);
        ask();
        QString text = rightAnswerText(window);
        if (type == "Option8" && suffix == "0" && !text.contains('.'))
            text += '.';
        typeOnKeypad(window, prefix + text + suffix);
        click(window, "Command16");
        QCOMPARE(caption(window, "Label9(10)"), right ? QString("√") : QString("×"));
    }

    void keypadEdgeCases_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cancelConfirm");
        QTest::newRow("zero first") << QStringList{"Command4"} << "0" << false;
        QTest::newRow("point first") << QStringList{"Command14"} << "." << false;
        QTest::newRow("zero point") << QStringList{"Command4", "Command14", "Command4"} << "0.0" << false;
        QTest::newRow("digit enables") << QStringList{"Command4", "Command9"} << "05" << true;
        QTest::newRow("five then cancel") << QStringList{"Command9", "Command15"} << "" << false;
        QTest::newRow("cancel removes last") << QStringList{"Command6", "Command7", "Command15"} << "2" << true;
        QTest::newRow("cancel twice") << QStringList{"Command6", "Command7", "Command15", "Command15"} << "" << false;
        QTest::newRow("second point refused") << QStringList{"Command5", "Command14", "Command14", "Command5"} << "1.1" << true;
    }
    // A second point is refused whatever brings it, in integer and decimal
    // mode alike: typed, on the keypad, pasted; the mark of a wrong answer
    // stays, as for any refused key. A point typed over the selected one
    // replaces it.
    void secondPointRefused_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("text");
        for (const char* type : {"Option7", "Option8"}) {
            QTest::addRow("%s typed", type) << type << "1.2.3." << "" << "1.23";
            QTest::addRow("%s pasted", type) << type << "" << "1.2.3" << "1.23";
            QTest::addRow("%s pasted after a point", type) << type << "4." << ".5.6" << "4.56";
        }
    }
    void secondPointRefused()
    {
        QFETCH(QString, type);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, text);
        open("Form81");
        click(window, type);
        ask();
        QLineEdit* box = answerBox(window);
        QTest::keyClicks(box, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(box->text(), text);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, '.');
        click(window, "Command14");
        QCOMPARE(box->text(), text);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
        box->setSelection(box->text().indexOf('.'), 1);
        QTest::keyClick(box, '.');
        QCOMPARE(box->text(), text);
        QCOMPARE(caption(window, "Label9(10)"), QString());
    }

    void keypadEdgeCases()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        QFETCH(bool, cancelConfirm);
        open("Form82");
        ask();
        for (const QString& key : keys)
            click(window, key);
        QCOMPARE(answerBox(window)->text(), text);
        QCOMPARE(answerBox(window)->cursorPosition(), text.size());
        QCOMPARE(button(window, "Command15")->isEnabled(), cancelConfirm);
        QCOMPARE(button(window, "Command16")->isEnabled(), cancelConfirm);
        QCOMPARE(QApplication::focusWidget(), answerBox(window));
    }

    void keyboardEntry()
    {
        open("Form84");
        ask();
        QLineEdit* box = answerBox(window);
        QTest::keyClicks(box, "a-+ ");
        QCOMPARE(box->text(), QString());
        // A Chinese input method commits text past the key filter.
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("五５"));
        QApplication::sendEvent(box, &commit);
        QCOMPARE(box->text(), QString());
        QVERIFY(!button(window, "Command16")->isEnabled());
        QTest::keyClick(box, '0');
        QVERIFY(button(window, "Command16")->isEnabled());
        QTest::keyClicks(box, rightAnswerText(window) + "x7");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
        QCOMPARE(box->text(), "0" + rightAnswerText(window) + "7");
        // The wrong answer is selected: Backspace takes all of it.
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(caption(window, "Label9(10)"), QString());
        QCOMPARE(box->text(), QString());
        QTest::keyClicks(box, rightAnswerText(window));
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(caption(window, "Label9(10)"), QString("√"));
        QVERIFY(button(window, "Command1")->isEnabled());
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
    }

    // After "×" what the pupil types replaces the wrong answer, also when it
    // was entered on the keypad and "确定" kept the focus.
    void typingReplacesTheWrongAnswer()
    {
        open("Form81");
        ask();
        QLineEdit* box = answerBox(window);
        QTest::keyClicks(box, rightAnswerText(window) + "3");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, rightAnswerText(window));
        QCOMPARE(box->text(), rightAnswerText(window));

        click(window, "Command16");
        ask();
        typeOnKeypad(window, rightAnswerText(window) + "3");
        QTest::mouseClick(button(window, "Command16"), Qt::LeftButton);
        for (QChar digit : rightAnswerText(window))
            QTest::keyClick(QApplication::focusWidget(), digit.toLatin1());
        QCOMPARE(box->text(), rightAnswerText(window));
    }

    void pastedTextIsFilteredAsTyped()
    {
        open("Form81");
        ask();
        QLineEdit* box = answerBox(window);
        QApplication::clipboard()->setText("1a2\n3\x1b-");
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(box->text(), QString("123"));
        QVERIFY(button(window, "Command16")->isEnabled());
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QString("123123"));
        QCOMPARE(box->cursorPosition(), 3);
        // A megabyte of letters changes nothing and keeps the window working.
        QApplication::clipboard()->setText(QString(1 << 20, 'x'));
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(box->text(), QString("123123"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
    }

    void enterPressesOnlyTheFocusedButton()
    {
        open("Form81");
        ask();
        auto* check = window->findChild<QCheckBox*>("Check1");
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Return);
        QVERIFY(answerBox(window)->text().isEmpty());
        answerRight();
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        QTest::keyClick(button(window, "Command1"), Qt::Key_Return);
        QCOMPARE(caption(window, "Label4"), QString(" 2"));
        QCOMPARE(QApplication::focusWidget(), answerBox(window));
    }

    void levelOrTypeResetsAndMovesFocus_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("focusMoves");
        QTest::addColumn<qreal>("fontPt");
        QTest::newRow("81 Option5") << "Form81" << "Option5" << true << 150.0;
        QTest::newRow("81 Option3") << "Form81" << "Option3" << false << 150.0;
        QTest::newRow("81 Option8") << "Form81" << "Option8" << true << 120.0;
        QTest::newRow("82 Option9") << "Form82" << "Option9" << true << 120.0;
        QTest::newRow("83 Option8") << "Form83" << "Option8" << true << 120.0;
        QTest::newRow("83 Option12") << "Form83" << "Option12" << true << 120.0;
        QTest::newRow("84 Option4") << "Form84" << "Option4" << false << 140.0;
        QTest::newRow("84 Option11") << "Form84" << "Option11" << true << 140.0;
        QTest::newRow("85 Option10") << "Form85" << "Option10" << true << 150.0;
    }
    void levelOrTypeResetsAndMovesFocus()
    {
        QFETCH(QString, form);
        QFETCH(QString, choice);
        QFETCH(bool, focusMoves);
        QFETCH(qreal, fontPt);
        open(form);
        ask();
        answerRight();
        ask();
        fakes.clock->now += 1230;
        QTRY_COMPARE(stopwatchText(window), QString("0:01.23"));
        typeOnKeypad(window, "3");
        QCOMPARE(QApplication::focusWidget(), answerBox(window));

        // Chosen the way a screen reader does it: toggle(), no click.
        option(choice)->toggle();
        QVERIFY(option(choice)->isChecked());
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QCOMPARE(stopwatchText(window), QString("0:00.00"));
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
        QVERIFY(button(window, "Command1")->isEnabled());
        QVERIFY(!button(window, "Command5")->isEnabled());
        QVERIFY(!button(window, "Command16")->isEnabled());
        QVERIFY(answerBox(window)->text().isEmpty());
        QVERIFY(caption(window, "Label9(0)").isEmpty());
        QCOMPARE(QApplication::focusWidget() == button(window, "Command1"), focusMoves);
        QCOMPARE(label(window, "Label9(0)")->font().pointSizeF(), fontPt);
        QCOMPARE(answerBox(window)->font().pointSizeF(), fontPt);

        fakes.clock->now += 5000;
        ask();
        QCOMPARE(caption(window, "Label4").trimmed(), QString("1"));
        QCOMPARE(stopwatchText(window), QString("0:00.00"));
    }

    void stopwatchSwitchHidesTheTimeAndBackCloses()
    {
        open("Form83");
        ask();
        auto* check = window->findChild<QCheckBox*>("Check1");
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(check);
        QVERIFY(accessible && accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(check->isChecked());
        for (const char* name : {"Label5", "Label6", "Label2", "Label10", "Label11"})
            QVERIFY(!label(window, name)->isVisible());
        fakes.clock->now += 4560;
        check->click();
        QVERIFY(label(window, "Label2")->isVisible());
        QTRY_COMPARE(stopwatchText(window), QString("0:04.56"));

        click(window, "Command2");
        QVERIFY(!dialog->isVisible());
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
    }
};

QTEST_MAIN(NormalWindowTest)
#include "normal_window_test.moc"

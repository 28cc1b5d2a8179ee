// The five listening-mode windows with a recording voice: what is spoken,
// the check boxes, whole tests, the answer playback, "再测一次", checking and
// resets.
#include "driver.h"

#include "listening_drill/listening_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class ListeningWindowTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(const QString& form, const Fakes& fresh = Fakes())
    {
        openWindow(createListeningDrillWindow, form, fresh);
    }
    void ask(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            click(window, "Command1");
    }
    QCheckBox* check(const char* name) { return window->findChild<QCheckBox*>(name); }
    QString logged(int n, int operand)
    {
        return QString::fromStdString(window->cycle().log().entry(n).operands[operand]);
    }
    QString answerText(int n)
    {
        return QString::fromStdString(withSignPosition(window->cycle().log().entry(n).correctAnswer));
    }
    void addFormRows()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("Form91") << "Form91" << QStringList{" 加 "};
        QTest::newRow("Form92") << "Form92" << QStringList{" 减 "};
        QTest::newRow("Form93") << "Form93" << QStringList{" 加 ", " 减 "};
        QTest::newRow("Form94") << "Form94" << QStringList{" 乘 "};
        QTest::newRow("Form95") << "Form95" << QStringList{" 除以 "};
    }
    QString expectedQuestion(int n, const QString& numberCaption, const QStringList& words)
    {
        QString s = "第" + numberCaption + "题" + logged(n, 0);
        for (int i = 0; i < words.size(); ++i)
            s += words[i] + logged(n, i + 1);
        return s;
    }

private slots:
    void unknownNameGivesNoWindow()
    {
        QVERIFY(!createListeningDrillWindow("Form81", Fakes().services()));
        QVERIFY(!createListeningDrillWindow("Form96", Fakes().services()));
    }

    void opensReady_data() { addFormRows(); }
    void opensReady()
    {
        QFETCH(QString, form);
        open(form);
        QCOMPARE(fakes.record->voicesCreated, 1);
        QVERIFY(check("Check2")->isChecked());
        QVERIFY(!check("Check1")->isChecked());
        QCOMPARE(check("Check1")->text(), QString("提 示 音"));
        QCOMPARE(check("Check2")->text(), QString("语音播报"));
        QVERIFY(button(window, "Command1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        QVERIFY(button(window, "Command18")->isVisible());
        QVERIFY(!button(window, "Command18")->isEnabled());
        QVERIFY(!button(window, "Command3")->isEnabled());
        QVERIFY(!button(window, "Command5")->isEnabled());
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QVERIFY(!label(window, "Label5")->isVisible());
        QVERIFY(!window->findChild<QWidget*>("Picture1"));
        QVERIFY(!window->findChild<QWidget*>("SpeechNotice"));
        QCOMPARE(window->findChild<QGroupBox*>("Frame3")->isVisible(), form != "Form94" && form != "Form95");
        QVERIFY(window->findChild<QRadioButton*>("Option7")->isChecked());
    }

    void wholeTestSpeaksEveryQuestion_data() { addFormRows(); }
    void wholeTestSpeaksEveryQuestion()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, words);
        open(form);
        for (int n = 1; n <= 20; ++n) {
            ask();
            const QString number = QString::number(n).rightJustified(2, ' ');
            QCOMPARE(caption(window, "Label4"), number);
            QCOMPARE(fakes.record->sentences.size(), n);
            QCOMPARE(fakes.record->sentences.last(), expectedQuestion(n, number, words));
            QCOMPARE(QApplication::focusWidget(), answerBox(window));
            if (n > 1)
                QVERIFY(window->cycle().log().entry(n).correctAnswer != window->cycle().log().entry(n - 1).correctAnswer);
            QCOMPARE(button(window, "Command1")->isEnabled(), n < 20);
            QCOMPARE(button(window, "Command18")->isEnabled(), n == 20);
            QCOMPARE(button(window, "Command3")->isEnabled(), n == 20);
            // A wrong answer holds nothing up; the next question clears its mark.
            if (n == 4 || n == 5) {
                QCOMPARE(caption(window, "Label9(10)"), QString());
                typeOnKeypad(window, rightAnswerText(window) + (n == 4 ? "9" : ""));
                click(window, "Command16");
                QCOMPARE(caption(window, "Label9(10)"), n == 4 ? QString("×") : QString("√"));
                QVERIFY(button(window, "Command1")->isEnabled());
                QCOMPARE(QApplication::focusWidget(), n == 4 ? static_cast<QWidget*>(answerBox(window)) : button(window, "Command1"));
            }
        }
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
    }

    void playbackCyclesThroughTheTest_data() { addFormRows(); }
    void playbackCyclesThroughTheTest()
    {
        QFETCH(QString, form);
        open(form);
        ask(20);
        const float lastAnswer = window->cycle().correctAnswer();
        fakes.record->sentences.clear();
        for (int click = 1; click <= 21; ++click) {
            const int n = click == 21 ? 1 : click;
            ::click(window, "Command18");
            QCOMPARE(caption(window, "Label4"), QString::number(n));
            QCOMPARE(caption(window, "Label9(0)"), logged(n, 0));
            QCOMPARE(caption(window, "Label9(1)"), logged(n, 1));
            if (form == "Form93")
                QCOMPARE(caption(window, "Label9(2)"), logged(n, 2));
            QCOMPARE(answerBox(window)->text(), answerText(n));
            QVERIFY(answerBox(window)->text().startsWith(' '));
            QCOMPARE(fakes.record->sentences.last(), "第" + QString::number(n) + "题" + answerText(n));
        }
        QCOMPARE(fakes.record->sentences.size(), 21);
        QCOMPARE(window->cycle().correctAnswer(), lastAnswer);
        QVERIFY(!button(window, "Command1")->isEnabled());

        click(window, "Command3");
        QCOMPARE(caption(window, "Label4"), QString(" 0"));
        QVERIFY(!button(window, "Command18")->isEnabled());
        QVERIFY(!button(window, "Command3")->isEnabled());
        QCOMPARE(window->cycle().correctAnswer(), 0.0f);
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        ask();
        QCOMPARE(caption(window, "Label4"), QString(" 1"));
        QVERIFY(!logged(1, 0).contains('.'));
    }

    void checkBoxesExcludeEachOther()
    {
        open("Form92");
        check("Check1")->click();
        QVERIFY(check("Check1")->isChecked());
        QVERIFY(!check("Check2")->isChecked());
        ask();
        QCOMPARE(fakes.record->prompts, 1);
        QVERIFY(fakes.record->sentences.isEmpty());

        check("Check2")->toggle();
        QVERIFY(!check("Check1")->isChecked());
        ask();
        QCOMPARE(fakes.record->prompts, 1);
        QCOMPARE(fakes.record->sentences.size(), 1);

        check("Check2")->click();
        QVERIFY(!check("Check1")->isChecked() && !check("Check2")->isChecked());
        ask(18);
        QCOMPARE(fakes.record->prompts, 1);
        QCOMPARE(fakes.record->sentences.size(), 1);

        check("Check1")->click();
        click(window, "Command18");
        QCOMPARE(fakes.record->prompts, 2);
        QCOMPARE(fakes.record->sentences.size(), 1);
    }

    void rightAnswerAfterTheTest_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("playbacks");
        QTest::addColumn<bool>("withEnter");
        QTest::addColumn<bool>("askEnabled");
        QTest::newRow("91 确定") << "Form91" << 5 << false << true;
        QTest::newRow("91 Enter, guarded") << "Form91" << 5 << true << false;
        QTest::newRow("92 Enter, guarded") << "Form92" << 5 << true << false;
        QTest::newRow("93 Enter, no guard") << "Form93" << 5 << true << true;
        QTest::newRow("94 Enter, guarded") << "Form94" << 5 << true << false;
        QTest::newRow("95 确定") << "Form95" << 5 << false << true;
        // Enter on the played-back twentieth answer, as it stands with its blank.
        for (const char* form : {"Form91", "Form92", "Form93", "Form94", "Form95"})
            QTest::addRow("%s Enter on 20", form) << form << 20 << true << false;
    }
    void rightAnswerAfterTheTest()
    {
        QFETCH(QString, form);
        QFETCH(int, playbacks);
        QFETCH(bool, withEnter);
        QFETCH(bool, askEnabled);
        open(form);
        ask(20);
        for (int i = 0; i < playbacks; ++i)
            click(window, "Command18");
        QLineEdit* box = answerBox(window);
        if (playbacks < 20)
            box->clear();
        if (withEnter) {
            QTest::keyClicks(box, playbacks < 20 ? rightAnswerText(window) : QString());
            QTest::keyClick(box, Qt::Key_Enter);
        } else {
            typeOnKeypad(window, rightAnswerText(window));
            click(window, "Command16");
        }
        QCOMPARE(caption(window, "Label9(10)"), QString("√"));
        QCOMPARE(button(window, "Command1")->isEnabled(), askEnabled);
        if (playbacks == 20) {
            QCOMPARE(QApplication::focusWidget(), button(window, "Command3"));
        } else if (!askEnabled) {
            // The guard takes "出 题" away, not the focus to "再测一次": a
            // second Enter must not end the playback.
            QCOMPARE(QApplication::focusWidget(), box);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
            QVERIFY(button(window, "Command18")->isEnabled());
        } else {
            ask();
            QCOMPARE(caption(window, "Label4"), QString(" 6"));
            // Any key, even a discarded one, is guarded while answers can be checked.
            QTest::keyClick(box, 'q');
            QCOMPARE(button(window, "Command1")->isEnabled(), form == "Form93");
        }
    }

    void resetInTheMiddleOfATest_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("focusMoves");
        QTest::newRow("91 Option3 keeps") << "Form91" << "Option3" << false;
        QTest::newRow("92 Option3 moves") << "Form92" << "Option3" << true;
        QTest::newRow("93 Option8 moves") << "Form93" << "Option8" << true;
        QTest::newRow("93 Option5 moves") << "Form93" << "Option5" << true;
        QTest::newRow("94 Option4 moves") << "Form94" << "Option4" << true;
        QTest::newRow("95 Option3 keeps") << "Form95" << "Option3" << false;
    }
    void resetInTheMiddleOfATest()
    {
        QFETCH(QString, form);
        QFETCH(QString, choice);
        QFETCH(bool, focusMoves);
        open(form);
        if (form == "Form95")
            window->findChild<QRadioButton*>("Option4")->toggle();
        ask(7);
        QCOMPARE(QApplication::focusWidget(), answerBox(window));
        const float answer = window->cycle().correctAnswer();
        // Chosen the way a screen reader does it: toggle(), no click.
        window->findChild<QRadioButton*>(choice)->toggle();
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
        QCOMPARE(window->cycle().correctAnswer(), answer);
        QVERIFY(check("Check2")->isChecked());
        QCOMPARE(QApplication::focusWidget() == button(window, "Command1"), focusMoves);
        QCOMPARE(fakes.record->sentences.size(), 7);
        ask();
        QCOMPARE(caption(window, "Label4"), QString(" 1"));
        QVERIFY(window->cycle().correctAnswer() != answer);
    }

    void silentComputerSaysWhyInTheWindow_data()
    {
        QTest::addColumn<int>("why");
        QTest::addColumn<QString>("notice");
        QTest::newRow("no voice") << int(Silence::NoVoice) << QString("未安装中文语音，题目不会朗读");
        QTest::newRow("no sound output") << int(Silence::NoSoundOutput) << QString("没有找到声音输出，题目不会朗读");
    }
    void silentComputerSaysWhyInTheWindow()
    {
        QFETCH(int, why);
        QFETCH(QString, notice);
        Fakes silent;
        silent.record->voiceAvailable = false;
        silent.record->silence = Silence(why);
        open("Form91", silent);
        QLabel* shown = window->findChild<QLabel*>("SpeechNotice");
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->text(), notice);
        ask(20);
        QVERIFY(button(window, "Command18")->isEnabled());
        QVERIFY(fakes.record->sentences.isEmpty());
    }
};

QTEST_MAIN(ListeningWindowTest)
#include "listening_window_test.moc"

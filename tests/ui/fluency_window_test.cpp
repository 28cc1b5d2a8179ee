// The 达标测试 window driven through its widgets on a hand-moved clock: the
// normal windows' controls, one answer per question, the time running out,
// "交卷", the result with the personal best, the record, and the rest
// reminder held back until the result.
#include "driver.h"

#include "design_units/screen_units.h"

#include "fluency_drill/fluency_chooser.h"
#include "fluency_drill/fluency_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QTextBrowser>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class FluencyWindowTest : public QObject {
    Q_OBJECT

private:
    Fakes fakes;
    fluency::MemoryHistory history;
    std::unique_ptr<FluencyDrillWindow> window;

    void open(const fluency::FluencyTest& test)
    {
        fakes = Fakes();
        fakes.recording = true;
        window = createFluencyDrillWindow(test, fakes.services(), &history);
        window->resize(window->designSize());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    static fluency::FluencyTest preset(const char* key) { return *fluency::presetByKey(QLatin1String(key)); }
    static fluency::FluencyTest tenUntimed(int percent = 90)
    {
        return fluency::customTest(Operation::Mul, Level::OneDigitByOne, NumberType::Integer, 10, 0, percent);
    }
    // Types an answer and confirms it with Enter in the answer box.
    void answer(bool right)
    {
        const QString text = rightAnswerText(window.get()) + (right ? QString() : QStringLiteral("1"));
        QTest::keyClicks(answerBox(window.get()), text);
        QTest::keyClick(answerBox(window.get()), Qt::Key_Return);
    }
    QString result() const { return window->findChild<QTextBrowser*>("txtResult")->toPlainText(); }
    bool resultShown() const { return window->findChild<QTextBrowser*>("txtResult")->isVisible(); }

private slots:
    void init() { history = fluency::MemoryHistory(); }
    void cleanup() { window.reset(); }

    void opensWithTheNormalControlsAndTheTest()
    {
        open(preset("add-sub-20-60"));
        for (const char* name : {"Label9(0)", "Label9(1)", "Label9(10)", "Label4"})
            QVERIFY2(label(window.get(), name), name);
        QVERIFY(answerBox(window.get()));
        for (int k = 4; k <= 16; ++k)
            QVERIFY(!button(window.get(), QString("Command%1").arg(k))->isEnabled());
        QVERIFY(button(window.get(), "Command1")->isEnabled());
        QVERIFY(!button(window.get(), "cmdHandIn")->isEnabled());
        QVERIFY(!window->findChild<QGroupBox*>("Frame2")->isVisible());
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 0 / 60 题"));
        QCOMPARE(stopwatchText(window.get()), QString("5:00.00"));
        // The narrow column breaks its lines around "正确率 ≥ 90 %", never inside.
        QVERIFY(caption(window.get(), "lblTest").contains(keptTogether(QStringLiteral("正确率 ≥ 90 %"))));
    }

    // Each answer is checked once and the next question follows at once; a
    // wrong one shows its right answer and is listed in the result.
    void wholeTestOneAnswerPerQuestion()
    {
        open(tenUntimed());
        click(window.get(), "Command1");
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 1 / 10 题"));
        QCOMPARE(QApplication::focusWidget(), answerBox(window.get()));
        // Enter on an empty box is no answer.
        QTest::keyClick(answerBox(window.get()), Qt::Key_Return);
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 1 / 10 题"));

        const QString first = caption(window.get(), "Label9(0)") + " × " + caption(window.get(), "Label9(1)");
        const QString firstAnswer = rightAnswerText(window.get());
        answer(false);
        QCOMPARE(caption(window.get(), "Label9(10)"), QString("×"));
        QCOMPARE(caption(window.get(), "lblFeedback"), keptTogether(first + " = " + firstAnswer));
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 2 / 10 题"));
        QVERIFY(answerBox(window.get())->text().isEmpty());
        QVERIFY(button(window.get(), "Command5")->isEnabled());
        for (int n = 2; n <= 10; ++n) {
            fakes.clock->now += 3000;
            answer(true);
        }
        QVERIFY(resultShown());
        QVERIFY(result().contains("达标"));
        QVERIFY(result().contains("正确 9 / 10"));
        QVERIFY(result().contains("正确率 90 %"));
        QVERIFY(result().contains("用时 0:27"));
        QVERIFY(result().contains("每分钟正确 20.0"));
        QVERIFY(result().contains(first + " = " + firstAnswer + "（你的答案：" + firstAnswer + "1）"));
        QVERIFY(result().contains("新的个人最好"));
        QVERIFY(button(window.get(), "Command3")->isEnabled());
        QVERIFY(!button(window.get(), "Command1")->isEnabled());
        QVERIFY(!button(window.get(), "Command16")->isEnabled());
        QVERIFY(!button(window.get(), "cmdHandIn")->isEnabled());

        const QStringList& lines = fakes.recorder->lines;
        QCOMPARE(lines.first(), QString("begin FormFluency4 mul fluency Option3 1位 * 1位 integer"));
        QCOMPARE(fakes.recorder->linesStarting("answer").size(), 10);
        QCOMPARE(fakes.recorder->linesStarting("answer 1 ").first().section(' ', 3, 3), QString("wrong"));
        QCOMPARE(lines.mid(lines.size() - 2),
                 (QStringList{"fluency " + tenUntimed().choice() + " 0 10 9 27000 passed", "end finished"}));
        QVERIFY(history.personalBest(tenUntimed().choice()));
        QCOMPARE(history.personalBest(tenUntimed().choice())->correct, 9);
    }

    // The limit ends the test on the clock; unanswered questions count as
    // not correct, and no pass means no personal best.
    void timeRunsOut()
    {
        open(preset("times-table-60"));
        click(window.get(), "Command1");
        answer(true);
        answer(true);
        fakes.clock->now += 299990;
        QTRY_COMPARE(stopwatchText(window.get()), QString("0:00.01"));
        QVERIFY(!resultShown());
        fakes.clock->now += 10;
        QTRY_VERIFY(resultShown());
        QCOMPARE(stopwatchText(window.get()), QString("0:00.00"));
        QVERIFY(result().contains("未达标"));
        QVERIFY(result().contains("正确 2 / 60"));
        QVERIFY(result().contains("未答 58 题"));
        QVERIFY(result().contains("用时 5:00"));
        QVERIFY(!button(window.get(), "Command5")->isEnabled());
        QCOMPARE(fakes.recorder->lines.mid(fakes.recorder->lines.size() - 2),
                 (QStringList{"fluency times-table-60 300 60 2 300000 failed", "end finished"}));
        QVERIFY(!history.personalBest(preset("times-table-60").choice()));
        QVERIFY(fakes.record->messages.isEmpty());
    }

    // A preset of additions and subtractions shows each question with its
    // own sign, and the answer it checks is that question's.
    void aTwoExercisePresetShowsEachQuestionsSign()
    {
        open(preset("add-sub-20-60"));
        click(window.get(), "Command1");
        QSet<QString> signs;
        for (int n = 1; n <= 60; ++n) {
            const int a = caption(window.get(), "Label9(0)").toInt(), b = caption(window.get(), "Label9(1)").toInt();
            const QString sign = caption(window.get(), "Label3");
            signs.insert(sign);
            QCOMPARE(rightAnswerText(window.get()).toInt(), sign == "-" ? a - b : a + b);
            answer(n < 60);
        }
        QCOMPARE(signs, (QSet<QString>{"+", "-"}));
        QVERIFY(result().contains("正确 59 / 60"));
        // The test is kept under the addition window: only its additions
        // (a + b = answer), never a subtraction written with a plus sign.
        int kept = 0;
        for (const QString& line : fakes.recorder->lines) {
            const QStringList cells = line.split(' ');
            if (cells.value(0) != "question")
                continue;
            ++kept;
            QCOMPARE(cells.value(2).toInt() + cells.value(3).toInt(), cells.value(5).toInt());
        }
        QVERIFY(kept > 0 && kept < 60);
        // An answer is told only for a question kept.
        QCOMPARE(fakes.recorder->linesStarting("answer").size(), kept);
    }

    void handInEarlyAndStartAgain()
    {
        open(preset("division-table-60"));
        click(window.get(), "Command1");
        answer(true);
        fakes.clock->now += 60000;
        click(window.get(), "cmdHandIn");
        QVERIFY(resultShown());
        QVERIFY(result().contains("未达标"));
        QVERIFY(result().contains("未答 59 题"));
        // One right of 60 over the whole 5 minutes, not over the minute used.
        QVERIFY(result().contains("每分钟正确 0.2"));

        click(window.get(), "Command3");
        QVERIFY(!resultShown());
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 0 / 60 题"));
        QCOMPARE(stopwatchText(window.get()), QString("5:00.00"));
        click(window.get(), "Command1");
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 1 / 60 题"));
        QVERIFY(button(window.get(), "cmdHandIn")->isEnabled());
    }

    // A personal best changes only for a better test that passes; a tie keeps it.
    void personalBestOnlyForABetterPass()
    {
        const fluency::FluencyTest test = tenUntimed();
        const QDateTime earlier(QDate(2026, 1, 1), QTime(8, 0));
        history.keepPersonalBest(test.choice(), {10, 30000, earlier});
        open(test);
        click(window.get(), "Command1");
        for (int n = 1; n <= 10; ++n) {
            fakes.clock->now += 3000;
            answer(true);
        }
        QVERIFY(result().contains("个人最好：10 题，用时 0:30"));
        QCOMPARE(history.personalBest(test.choice())->when, earlier);
    }

    // A teacher's own test reaches the window as set up, and the next
    // chooser opens on it; a preset is chosen again the same way.
    void chooserRemembersTheChoice()
    {
        QList<fluency::FluencyTest> started, printed;
        auto start = [&](const fluency::FluencyTest& test, QWidget*) { started << test; };
        auto print = [&](const fluency::FluencyTest& test, QWidget*) { printed << test; };
        {
            FluencyChooser chooser(&history, start, print);
            QVERIFY(chooser.findChild<QAbstractButton*>("optTest0")->isChecked());
            QVERIFY(!chooser.findChild<QGroupBox*>("frmCustom")->isEnabled());
            chooser.findChild<QAbstractButton*>("optCustom")->click();
            auto* operation = chooser.findChild<QComboBox*>("cboOperation");
            operation->setCurrentIndex(operation->findText("除法"));
            auto* level = chooser.findChild<QComboBox*>("cboLevel");
            level->setCurrentIndex(level->findText("÷ 2位 = 1位"));
            chooser.findChild<QSpinBox*>("spnQuestions")->setValue(40);
            chooser.findChild<QCheckBox*>("chkNoLimit")->setChecked(true);
            chooser.findChild<QSpinBox*>("spnPercent")->setValue(100);
            QVERIFY(chooser.findChild<QLabel*>("lblAbout")->text().contains("不限时"));
            click(&chooser, "cmdPrint");
            click(&chooser, "cmdStart");
        }
        QCOMPARE(started.size(), 1);
        QCOMPARE(printed.size(), 1);
        const fluency::FluencyTest& test = started.first();
        QCOMPARE(test.operation, Operation::Div);
        QCOMPARE(test.level, Level::TwoDigitsByOne);
        QCOMPARE(test.questions, 40);
        QVERIFY(!test.timed());
        QCOMPARE(test.passPercent, 100);
        QCOMPARE(history.lastChoice(), test.choice());

        FluencyChooser again(&history, start, print);
        QVERIFY(again.findChild<QAbstractButton*>("optCustom")->isChecked());
        QCOMPARE(again.chosenTest().choice(), test.choice());
        again.findChild<QAbstractButton*>("optTest3")->click();
        // Enter on the test chosen starts it.
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTest::keyClick(again.findChild<QAbstractButton*>("optTest3"), Qt::Key_Return);
        QCOMPARE(started.size(), 2);
        QCOMPARE(history.lastChoice(), QString("division-table-60"));
    }

    // The rest reminder never breaks into a running test; it follows the
    // result of a test that ran ten minutes.
    void restReminderAfterTheResult()
    {
        open(tenUntimed());
        click(window.get(), "Command1");
        answer(true);
        fakes.clock->now += 11 * 60 * 1000;
        QTRY_COMPARE(stopwatchText(window.get()), QString("11:00.00"));
        QVERIFY(fakes.record->messages.isEmpty());
        QCOMPARE(caption(window.get(), "lblProgress"), QString("第 2 / 10 题"));
        click(window.get(), "cmdHandIn");
        QCOMPARE(fakes.record->messages,
                 QStringList{"超时提醒|您本次训练时间已达到10分钟了,请休息一会儿吧!"});
    }
};

QTEST_MAIN(FluencyWindowTest)
#include "fluency_window_test.moc"

// The listening windows' reading settings on an injected clock: questions
// following by themselves the interval after the voice has finished, "出 题"
// pausing and resuming them, each question read twice, "再读一遍", the
// answers played back by themselves, and the settings kept for the pupil.
#include "driver.h"

#include "listening_drill/listening_window.h"

#include <QAction>
#include <QCheckBox>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class PacedReadingTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(const ReadingSettings& reading, bool recording = false)
    {
        Fakes fresh;
        fresh.reading = reading;
        fresh.recording = recording;
        openWindow(createListeningDrillWindow, "Form91", fresh);
    }
    const QStringList& spoken() const { return fakes.record->sentences; }
    // The voice finishes what it is saying; the clock moves on by ms.
    void heardThenWait(qint64 ms)
    {
        emit fakes.record->voice->speechEnded();
        fakes.clock->now += ms;
    }
    QString askCaption() { return button(window, "Command1")->text(); }

private slots:
    void questionsFollowByThemselvesAndPause()
    {
        open({SpeechPace::Normal, false, true, 5});
        click(window, "Command1");
        QCOMPARE(askCaption(), QString("暂停"));
        QCOMPARE(spoken().size(), 1);
        heardThenWait(5000);
        QTRY_COMPARE(spoken().size(), 2);
        QCOMPARE(caption(window, "Label4"), QString(" 2"));

        // Typing an answer does not hold the questions up.
        typeOnKeypad(window, "1");
        click(window, "Command16");
        heardThenWait(5000);
        QTRY_COMPARE(spoken().size(), 3);

        // Paused half-way through the interval, the rest follows the resume.
        heardThenWait(2000);
        click(window, "Command1");
        QCOMPARE(askCaption(), QString("继续"));
        fakes.clock->now += 60000;
        click(window, "Command1");
        QCOMPARE(askCaption(), QString("暂停"));
        QCOMPARE(spoken().size(), 3);
        fakes.clock->now += 3000;
        QTRY_COMPARE(spoken().size(), 4);
        QCOMPARE(caption(window, "Label4"), QString(" 4"));

        for (int n = 5; n <= 20; ++n) {
            heardThenWait(5000);
            QTRY_COMPARE(spoken().size(), n);
        }
        QCOMPARE(askCaption(), QString("出 题"));
        QVERIFY(!button(window, "Command1")->isEnabled());
        QVERIFY(button(window, "Command18")->isEnabled());
        QVERIFY(spoken().last().startsWith("第20题"));

        // "核对答案" goes on by itself to the twentieth answer; a click moves on at once.
        heardThenWait(1000);
        click(window, "Command18");
        QCOMPARE(spoken().last(), "第1题" + answerBox(window)->text());
        heardThenWait(5000);
        QTRY_COMPARE(caption(window, "Label4"), QString("2"));
        click(window, "Command18");
        QCOMPARE(caption(window, "Label4"), QString("3"));
        // The voice was still reading the second answer.
        emit fakes.record->voice->speechEnded();
        for (int n = 4; n <= 20; ++n) {
            heardThenWait(5000);
            QTRY_COMPARE(caption(window, "Label4"), QString::number(n));
        }
        QCOMPARE(spoken().size(), 40);
    }

    void eachQuestionReadTwiceAndAgainOnRequest()
    {
        open({SpeechPace::Normal, true, false, 10});
        QAbstractButton* again = button(window, "ReadAgain");
        QCOMPARE(again->accessibleName(), QString("再读一遍"));
        QVERIFY(!again->isEnabled());
        click(window, "Command1");
        QCOMPARE(spoken().size(), 1);
        heardThenWait(1000);
        QTRY_COMPARE(spoken().size(), 2);
        QCOMPARE(spoken()[1], spoken()[0]);
        click(window, "ReadAgain");
        QCOMPARE(spoken().size(), 3);
        QCOMPARE(spoken()[2], spoken()[0]);
        for (int n = 2; n <= 20; ++n)
            click(window, "Command1");
        QVERIFY(again->isEnabled());
        click(window, "ReadAgain");
        QVERIFY(spoken().last().startsWith("第20题"));
        click(window, "Command18");
        QVERIFY(!again->isEnabled());
        click(window, "Command3");
        QVERIFY(!again->isEnabled());
    }

    void readTwiceThenOnWithAnOutputThatEndsLater()
    {
        Fakes fresh;
        fresh.reading = {SpeechPace::Normal, true, true, 5};
        fresh.record->speechEndsLater = true;
        openWindow(createListeningDrillWindow, "Form91", fresh);
        click(window, "Command1");
        for (int n = 1; n <= 20; ++n) {
            const QString number = QString::number(n).rightJustified(2, QLatin1Char(' '));
            QCOMPARE(spoken().size(), 2 * n - 1);
            QVERIFY2(spoken().last().startsWith("第" + number + "题"), qPrintable(spoken().last()));
            QTRY_COMPARE(fakes.record->speechEnds, 2 * n - 1);
            fakes.clock->now += 1000;
            QTRY_COMPARE(spoken().size(), 2 * n);
            QCOMPARE(spoken()[2 * n - 1], spoken()[2 * n - 2]);
            QTRY_COMPARE(fakes.record->speechEnds, 2 * n);
            fakes.clock->now += 5000;
            if (n < 20)
                QTRY_COMPARE(spoken().size(), 2 * n + 1);
        }
        QVERIFY(button(window, "Command18")->isEnabled());
    }

    void questionReadAloudStaysOffTheScreen()
    {
        ReadingSettings hidden;
        hidden.hideQuestion = true;
        open(hidden);
        const auto shown = [this] { return caption(window, "Label9(0)") + caption(window, "Label9(1)"); };
        for (int n = 1; n <= 20; ++n)
            click(window, "Command1");
        QCOMPARE(shown(), QString());
        const Question& last = window->cycle().log().entry(20);
        QVERIFY(spoken().last().endsWith(QString::fromStdString(last.operands[0] + " 加 " + last.operands[1])));
        // Without a voice reading it, the question is shown.
        window->findChild<QCheckBox*>("Check2")->setChecked(false);
        QCOMPARE(shown(), QString::fromStdString(last.operands[0] + last.operands[1]));
        window->findChild<QCheckBox*>("Check2")->setChecked(true);
        QCOMPARE(shown(), QString());
        // The answers played back are shown.
        click(window, "Command18");
        const Question& first = window->cycle().log().entry(1);
        QCOMPARE(shown(), QString::fromStdString(first.operands[0] + first.operands[1]));
    }

    void exportWritesANewTestWithItsAnswers()
    {
        Fakes fresh;
        fresh.reading = {SpeechPace::Slow, true, true, 15};
        fresh.exportPath = "/tmp/听算";
        openWindow(createListeningDrillWindow, "Form92", fresh);
        click(window, "ExportAudio");
        QCOMPARE(fakes.record->exports.size(), std::size_t(1));
        const AudioExport& job = fakes.record->exports.front();
        QCOMPARE(job.path, QString("/tmp/听算.wav"));
        QCOMPARE(int(job.format), int(AudioFormat::Wav));
        QCOMPARE(job.ratePercent, 70);
        // The announcement, twenty questions read twice, then twenty answers.
        QCOMPARE(job.script.size(), std::size_t(62));
        QCOMPARE(job.script[0].sentence, std::string("听算练习，共 20 题。现在开始。"));
        QVERIFY(QString::fromStdString(job.script[1].sentence).startsWith("第 1题"));
        QVERIFY(QString::fromStdString(job.script[1].sentence).contains(" 减 "));
        QCOMPARE(job.script[2].silenceAfterMs, 15000);
        QVERIFY(QString::fromStdString(job.script[42].sentence).startsWith("第1题 "));
        QVERIFY(job.seed);
        QTRY_COMPARE(fakes.record->messages.size(), 1);
        QVERIFY(fakes.record->messages.front().startsWith("导出音频|已导出听算音频：/tmp/听算.wav"));
        QVERIFY(fakes.record->messages.front().contains(QStringLiteral("种子：%1").arg(*job.seed)));
        // Beside it, named alike, the sheet of the same test with its key.
        QCOMPARE(fakes.record->sheets.size(), std::size_t(1));
        const auto& [sheetPath, sheet] = fakes.record->sheets.front();
        QCOMPARE(sheetPath, QString("/tmp/听算.pdf"));
        QVERIFY(sheet.listening && sheet.answerKey && sheet.seed == job.seed);
        for (int n = 1; n <= 20; ++n) {
            const QString read = QString::fromStdString(job.script[std::size_t(2 * n)].sentence);
            const sheets::SheetQuestion& printed = sheet.questions[std::size_t(n - 1)];
            QCOMPARE(read.mid(read.indexOf("题") + 1), printed.operands.join(" 减 "));
        }
        // The window's own test is untouched.
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QVERIFY(spoken().isEmpty());
    }

    void settingsReachTheVoiceAndAreKept()
    {
        open({SpeechPace::Fast, false, false, 15}, true);
        QCOMPARE(fakes.record->ratePercent, 125);
        window->findChild<QAction*>("PaceSlow")->trigger();
        QCOMPARE(fakes.record->ratePercent, 70);
        window->findChild<QAction*>("AutoAsk")->trigger();
        window->findChild<QAction*>("Gap5")->trigger();
        const ReadingSettings expected{SpeechPace::Slow, false, true, 5};
        QVERIFY(fakes.record->savedReading == expected);
        click(window, "Command1");
        QCOMPARE(askCaption(), QString("暂停"));
        // The test is recorded with the settings it is read with.
        QCOMPARE(fakes.recorder->linesStarting("reading"), QStringList{"reading pace=slow twice=0 auto=1 gap=5 hide=0"});
        // Unticking 自动出题 hands the questions back to "出 题".
        window->findChild<QAction*>("AutoAsk")->trigger();
        QCOMPARE(askCaption(), QString("出 题"));
        QCOMPARE(fakes.recorder->linesStarting("reading").last(), QString("reading pace=slow twice=0 auto=0 gap=5 hide=0"));
        click(window, "Command1");
        QCOMPARE(caption(window, "Label4"), QString(" 2"));
    }
};

QTEST_MAIN(PacedReadingTest)
#include "paced_reading_test.moc"

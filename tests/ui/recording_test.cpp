// What the drill windows tell the pupils' record: a whole normal test, the
// ways a test ends early, a listening test with its playback, a "重练" test
// that starts with the mistakes book, and one normal test read back from a
// real record file.
#include "driver.h"

#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "records/sqlite_record_store.h"

#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

namespace {

// A source stuck on one value: the generator alone would ask 5 × 4 at
// "1位 * 1位" every time.
class StuckRandom final : public RandomSource {
public:
    double next() override { return 0.3; }
    void reseedFromClock() override {}
};

} // namespace

class RecordingTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(WindowFactory create, const QString& form)
    {
        Fakes fresh;
        fresh.recording = true;
        openWindow(create, form, fresh);
    }
    const QStringList& lines() const { return fakes.recorder->lines; }
    QString answerOf(int n) const
    {
        return QString::fromStdString(shortestText(window->cycle().log().entry(n).correctAnswer));
    }
    QString questionLine(int n) const
    {
        const Question& q = window->cycle().log().entry(n);
        return QStringLiteral("question %1 %2 %3 %4 %5")
            .arg(n)
            .arg(QString::fromStdString(q.operands[0]), QString::fromStdString(q.operands[1]),
                 QString::fromStdString(q.operands[2]), answerOf(n));
    }
    // A whole normal test; question 3 first answered wrong, every answer
    // given 1.5 s after its question; the stopwatch shows 0:15.00 at the end.
    void playNormalTest()
    {
        for (int n = 1; n <= 10; ++n) {
            click(window, "Command1");
            fakes.clock->now += 1500;
            if (n == 10)
                QTRY_COMPARE_WITH_TIMEOUT(stopwatchText(window), QString("0:15.00"), 30000);
            // The wrong answer is the right one with a digit too many; "取消"
            // takes the digit back.
            typeOnKeypad(window, rightAnswerText(window) + (n == 3 ? "1" : ""));
            if (n == 3) {
                click(window, "Command16");
                click(window, "Command15");
            }
            click(window, "Command16");
        }
    }
    QRadioButton* option(const QString& name) { return window->findChild<QRadioButton*>(name); }
    QString operandText(int i) const { return caption(window, QStringLiteral("Label9(%1)").arg(i)); }

private slots:
    void wholeNormalTest()
    {
        open(createNormalDrillWindow, "Form81");
        playNormalTest();
        const QString shown = stopwatchText(window);
        QStringList expected{"begin Form81 add normal Option4 2位 + 1位 integer"};
        for (int n = 1; n <= 10; ++n) {
            expected << questionLine(n);
            if (n == 3)
                expected << QStringLiteral("answer 3 %1 wrong 1500").arg(answerOf(n) + "1");
            expected << QStringLiteral("answer %1 %2 right 1500").arg(n).arg(answerOf(n));
        }
        expected << "end finished " + shown;
        QCOMPARE(lines(), expected);
        // Leaving a finished test reports nothing more.
        click(window, "Command2");
        QCOMPARE(lines(), expected);
    }

    void endsMidTest_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("nextLevel");
        QTest::newRow("level changed") << "Option3" << "end reset" << "Option3";
        QTest::newRow("type changed") << "Option9" << "end reset" << "Option4";
        QTest::newRow("返 回") << "Command2" << "end closed" << "";
        QTest::newRow("rest reminder") << "" << "end reminder" << "Option4";
    }
    void endsMidTest()
    {
        QFETCH(QString, how);
        QFETCH(QString, end);
        QFETCH(QString, nextLevel);
        open(createNormalDrillWindow, "Form81");
        click(window, "Command1");
        if (how.isEmpty()) {
            fakes.clock->now += 10 * 60 * 1000 + 2000;
            QTRY_COMPARE_WITH_TIMEOUT(fakes.record->messages.size(), 1, 30000);
        } else {
            click(window, how);
        }
        QCOMPARE(lines().last(), end);
        QCOMPARE(fakes.recorder->linesStarting("end").size(), 1);
        if (nextLevel.isEmpty())
            return;
        // The next question begins a new test of what is selected now.
        click(window, "Command1");
        QCOMPARE(lines().at(lines().size() - 2).section(' ', 0, 0), QString("begin"));
        QCOMPARE(lines().at(lines().size() - 2).section(' ', 4, 4), nextLevel);
        QCOMPARE(lines().last(), questionLine(1));
    }

    void listeningTest()
    {
        open(createListeningDrillWindow, "Form92");
        for (int n = 1; n <= 20; ++n) {
            click(window, "Command1");
            if (n == 5) {
                fakes.clock->now += 800;
                typeOnKeypad(window, rightAnswerText(window));
                click(window, "Command16");
            }
        }
        click(window, "Command18");
        click(window, "Command18");
        // A listening test is recorded with the reading settings it is read with.
        QStringList expected{"begin Form92 sub listening Option4 2位 - 1位 integer",
                             "reading pace=normal twice=0 auto=0 gap=10 hide=0"};
        for (int n = 1; n <= 20; ++n) {
            expected << questionLine(n);
            if (n == 5)
                expected << QStringLiteral("answer 5 %1 right 800").arg(answerOf(5));
        }
        expected << "end finished" << "playback";
        QCOMPARE(lines(), expected);
        // "再测一次" after the end starts afresh with the next question.
        click(window, "Command3");
        click(window, "Command1");
        QCOMPARE(lines().mid(lines().size() - 3, 2), expected.mid(0, 2));
    }

    void redoStartsWithTheBook()
    {
        open(createNormalDrillWindow, "Form81");
        fakes.recorder->book = {{{"4.7", "0.8", ""}, "5.5"}, {{"12.5", "3.1", ""}, "15.6"}, {{"99.9", "9.9", ""}, "109.8"}};
        window->openForRedo("Option4", "1dp");
        QCOMPARE(fakes.recorder->bookAskedFor, QString("Form81 Option4 1dp"));
        QVERIFY(option("Option4")->isChecked());
        QVERIFY(option("Option8")->isChecked());
        for (const char* answer : {"5.5", "15.6"}) {
            click(window, "Command1");
            typeOnKeypad(window, answer);
            click(window, "Command16");
            QCOMPARE(caption(window, "Label9(10)"), QString("√"));
        }
        QCOMPARE(lines().mid(0, 2), (QStringList{"begin Form81 add normal Option4 2位 + 1位 1dp redo",
                                                 "question 1 4.7 0.8  5.5"}));
        QCOMPARE(lines().at(3), QString("question 2 12.5 3.1  15.6"));
        // Choosing another level ends "重练": the third book question is
        // never shown and the next test is an ordinary one.
        click(window, "Option3");
        click(window, "Command1");
        QVERIFY(caption(window, "Label9(0)") != "99.9");
        QCOMPARE(fakes.recorder->linesStarting("begin").last(), QString("begin Form81 add normal Option3 20以内 1dp"));
    }

    // A "重练" test and the test after it: every question of a test differs
    // from the others, the book's included.
    void testsNeverRepeatAQuestion()
    {
        Fakes fresh;
        fresh.recording = true;
        fakes = fresh;
        DrillServices services = fakes.services();
        services.randomSource = [] { return std::make_unique<StuckRandom>(); };
        dialog = createNormalDrillWindow("Form84", services, nullptr);
        window = qobject_cast<DrillWindow*>(dialog.get());
        dialog->show();
        fakes.recorder->book = {{{"5", "4", ""}, "20"}, {{"7", "8", ""}, "56"}};
        window->openForRedo("Option3", "integer");
        for (int test = 0; test < 2; ++test) {
            QSet<QString> asked;
            for (int n = 1; n <= 10; ++n) {
                click(window, "Command1");
                asked.insert(operandText(0) + " × " + operandText(1));
                typeOnKeypad(window, rightAnswerText(window));
                click(window, "Command16");
            }
            QCOMPARE(asked.size(), 10);
            if (test == 0)
                QVERIFY(asked.contains("5 × 4") && asked.contains("7 × 8"));
            click(window, "Command3");
        }
    }

    void normalTestReadBackFromTheRecord()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        records::SqliteRecordStore store(dir.filePath("records.db"), "小明");
        QVERIFY(store.problem().isEmpty());
        fakes = Fakes();
        DrillServices services = fakes.services();
        services.recorder = &store;
        dialog = createNormalDrillWindow("Form84", services, nullptr);
        window = qobject_cast<DrillWindow*>(dialog.get());
        dialog->show();
        playNormalTest();
        const QString shown = stopwatchText(window);
        const Question wrong = window->cycle().log().entry(3);
        dialog.reset();
        store.flush();

        const std::vector<records::TestRow> tests = store.tests({});
        QCOMPARE(tests.size(), size_t(1));
        QCOMPARE(tests[0].pupil, QString("小明"));
        QCOMPARE(tests[0].exercise.levelCaption, QString("1位 * 1位"));
        QCOMPARE(tests[0].ended, records::TestEnd::Finished);
        QCOMPARE(tests[0].questions, 10);
        QCOMPARE(tests[0].wrongAnswers, 1);
        QCOMPARE(tests[0].time, shown);
        const std::vector<records::Mistake> book = store.mistakes(store.currentPupil().id);
        QCOMPARE(book.size(), size_t(1));
        QCOMPARE(book[0].question.operands[0], QString::fromStdString(wrong.operands[0]));
        QCOMPARE(book[0].question.operands[1], QString::fromStdString(wrong.operands[1]));
    }
};

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"

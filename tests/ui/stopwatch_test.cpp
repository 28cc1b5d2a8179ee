// The stopwatch readings and the rest reminder, on a clock the test moves.
#include "driver.h"

#include "normal_drill/normal_window.h"
#include "normal_drill/stopwatch.h"

#include <QCheckBox>
#include <QTimer>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class StopwatchTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void openAndAsk(const QString& form)
    {
        openWindow(createNormalDrillWindow, form);
        click(window, "Command1");
    }
    static QString shownFor(qint64 ms)
    {
        const StopwatchReading r = readingFor(ms);
        return r.minutesText() + ':' + r.secondsText() + '.' + r.hundredthsText();
    }
    const QString reminder = QStringLiteral("超时提醒|您本次训练时间已达到10分钟了,请休息一会儿吧!");

private slots:
    void readings_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half to even down") << qint64(5) << "0:00.00";
        QTest::newRow("half to even up") << qint64(15) << "0:00.02";
        QTest::newRow("985 ms") << qint64(985) << "0:00.98";
        QTest::newRow("995 ms carries into the second") << qint64(995) << "0:01.00";
        QTest::newRow("1 min 5.996 s") << qint64(65996) << "1:06.00";
        QTest::newRow("59.996 s carries into the minute") << qint64(59996) << "1:00.00";
        QTest::newRow("9 min 59.99 s") << qint64(599990) << "9:59.99";
        QTest::newRow("10 min") << qint64(600000) << "10:00.00";
        QTest::newRow("one hour wraps the minutes") << qint64(3600000 + 61000) << "1:01.00";
    }
    void readings()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, shown);
        QCOMPARE(shownFor(elapsedMs), shown);
    }

    void nextChangeIsTheFirstMillisecondThatReadsDifferently()
    {
        for (qint64 elapsed : {qint64(0), qint64(599990), qint64(3599990)}) {
            for (qint64 e = elapsed; e < elapsed + 40; ++e) {
                const qint64 until = msUntilNextReadingChange(e);
                QVERIFY2(until >= 1, qPrintable(QString::number(e)));
                for (qint64 k = 1; k < until; ++k)
                    QCOMPARE(shownFor(e + k), shownFor(e));
                QVERIFY2(shownFor(e + until) != shownFor(e), qPrintable(QString::number(e)));
            }
        }
    }

    void reminderAtTenMinutesTwoSeconds_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<qint64>("jumpMs");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("81 exactly 10:02") << "Form81" << qint64(602000) << false;
        QTest::newRow("83 late tick at 11:30") << "Form83" << qint64(690000) << false;
        QTest::newRow("84 after a suspend of an hour") << "Form84" << qint64(3600000 + 5000) << false;
        QTest::newRow("85 with the stopwatch hidden") << "Form85" << qint64(602000) << true;
    }
    void reminderAtTenMinutesTwoSeconds()
    {
        QFETCH(QString, form);
        QFETCH(qint64, jumpMs);
        QFETCH(bool, hidden);
        openAndAsk(form);
        QCOMPARE(window->findChild<QTimer*>("Timer1")->interval(), 7);
        window->findChild<QCheckBox*>("Check1")->setChecked(hidden);
        // A wrong answer by mouse leaves the focus on "确定", which the reset disables.
        typeOnKeypad(window, rightAnswerText(window) + "1");
        QTest::mouseClick(button(window, "Command16"), Qt::LeftButton);
        fakes.clock->now += jumpMs;
        QTRY_COMPARE(fakes.record->messages, QStringList{reminder});
        QVERIFY(!window->findChild<QTimer*>("Timer1")->isActive());
        QCOMPARE(caption(window, "Label4"), QString("0"));
        QCOMPARE(stopwatchText(window), QString("0:00.00"));
        QVERIFY(caption(window, "Label9(0)").isEmpty());
        QVERIFY(answerBox(window)->text().isEmpty());
        QVERIFY(button(window, "Command1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        for (int k = 4; k <= 16; ++k)
            QVERIFY(!button(window, QString("Command%1").arg(k))->isEnabled());

        fakes.clock->now += 1000;
        click(window, "Command1");
        QCOMPARE(caption(window, "Label4").trimmed(), QString("1"));
        fakes.clock->now += 250;
        QTRY_COMPARE(stopwatchText(window), QString("0:00.25"));
        QCOMPARE(fakes.record->messages.size(), 1);
    }
};

QTEST_MAIN(StopwatchTest)
#include "stopwatch_test.moc"

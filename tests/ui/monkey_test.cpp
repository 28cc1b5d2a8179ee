// The monkey test: each of the ten drill windows gets a stream of random
// events (monkey.h) with the invariants checked after every one.
// ZORVEL_MONKEY_SEED and ZORVEL_MONKEY_EVENTS choose the seed and the count
// per window; a failure prints the window, seed, event number and the last
// events, so that it replays. The worst round trip of one event is printed,
// never asserted; ZORVEL_MONKEY_SLOW_MS=n prints every event slower than n ms.
#include "driver.h"
#include "monkey.h"

#include "normal_drill/normal_window.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class MonkeyTest : public QObject, DrillFixture {
    Q_OBJECT

private slots:
    // Letters pasted by the megabyte are thrown away (the paste test); digits
    // stay, as many as the box holds, and the window goes on working.
    void megabyteOfDigitsPasted()
    {
        openWindow(createNormalDrillWindow, "Form81");
        click(window, "Command1");
        QLineEdit* box = answerBox(window);
        QApplication::clipboard()->setText(QString(1 << 20, '7'));
        QElapsedTimer took;
        took.start();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!box->text().isEmpty());
        QVERIFY(box->text().count('7') == box->text().size());
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(caption(window, "Label9(10)"), QString("×"));
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        qInfo("a megabyte of digits pasted, checked and deleted in %lld ms", took.elapsed());
        QVERIFY(box->text().isEmpty());
        typeOnKeypad(window, rightAnswerText(window));
        click(window, "Command16");
        QCOMPARE(caption(window, "Label9(10)"), QString("√"));
    }

    void tenWindowsHoldTheirInvariants_data()
    {
        QTest::addColumn<QString>("form");
        for (const char* form : {"Form81", "Form82", "Form83", "Form84", "Form85",
                                 "Form91", "Form92", "Form93", "Form94", "Form95"})
            QTest::newRow(form) << QString::fromLatin1(form);
    }
    void tenWindowsHoldTheirInvariants()
    {
        QFETCH(QString, form);
        const quint64 seed = fromEnvironment("ZORVEL_MONKEY_SEED", 20201);
        const int count = int(fromEnvironment("ZORVEL_MONKEY_EVENTS", 1500));
        Monkey monkey(form, seed);
        const QString failure = monkey.play(count);
        qInfo("%s seed %llu: %d events, %d tests finished, %d reminders, %d reopenings, "
              "worst round trip %.1f ms (%s)",
              qPrintable(form), seed, count, monkey.finishedTests(), monkey.reminders(), monkey.reopenings(),
              monkey.worstMs(),
              qPrintable(monkey.worstEvent()));
        QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("replay: ZORVEL_MONKEY_SEED=%1 ZORVEL_MONKEY_EVENTS=%2 "
                                                              "monkey_test tenWindowsHoldTheirInvariants:%3\n  %4")
                                                   .arg(seed).arg(count).arg(form, failure)));
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"

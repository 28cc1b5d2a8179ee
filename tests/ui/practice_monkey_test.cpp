// A monkey on the daily practice window and the 达标测试 window: random
// clicks on the enabled buttons, keys and pastes into the answer box, the
// clock moved on (now and then past the time limit), with what must always
// hold checked after every event: the progress never passes the test's
// length, the answer box keeps to its limit and to digits and the point, a
// finished test shows its result and a session's last answer finishes it,
// the countdown stays between zero and the time limit.
// ZORVEL_MONKEY_SEED and ZORVEL_MONKEY_EVENTS replay another run.
#include "driver.h"

#include "daily_practice/daily_window.h"
#include "fluency_drill/fluency_window.h"

#include <QClipboard>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <deque>
#include <functional>
#include <random>

using namespace zorvel;
using namespace zorvel::testing;

namespace {

quint64 fromEnvironment(const char* name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// The events common to both windows; the window's own checks come as a
// function returning what is wrong, empty when nothing is.
class PracticeMonkey {
public:
    // rightAnswer: the answer to the question on screen, empty when none is.
    PracticeMonkey(QWidget* window, ManualClock& clock, quint64 seed, std::function<QString()> rightAnswer)
        : window_(window), clock_(clock), random_(seed), rightAnswer_(std::move(rightAnswer))
    {
    }

    // Plays count events; returns the first broken rule with the last events.
    QString play(int count, const std::function<QString()>& check)
    {
        for (int n = 0; n < count; ++n) {
            event();
            tick();
            QCoreApplication::processEvents();
            const QLabel* counter = label(window_, "lblProgress") ? label(window_, "lblProgress") : label(window_, "Label7");
            last_.push_back(QStringLiteral("%1 → %2, %3").arg(current_, counter->text(), stopwatchText(window_)));
            if (last_.size() > 12)
                last_.pop_front();
            QString broken = common();
            if (broken.isEmpty())
                broken = check();
            if (!broken.isEmpty())
                return QStringLiteral("event %1: %2\nlast events:\n  %3").arg(n).arg(broken, QStringList(last_.begin(), last_.end()).join("\n  "));
        }
        return {};
    }

private:
    // A stopwatch tick after every event, so that a run of a seed does not
    // depend on when the real timer happens to fire.
    void tick()
    {
        auto* timer = window_->findChild<QTimer*>(QStringLiteral("Timer1"));
        if (timer && timer->isActive() && !QMetaObject::invokeMethod(timer, "timeout"))
            qFatal("the stopwatch did not tick");
    }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    void event()
    {
        const int kind = below(100);
        if (kind < 20)
            answerRight();
        else if (kind < 40)
            clickSomething();
        else if (kind < 80)
            pressKey();
        else if (kind < 88)
            paste();
        else
            moveClock();
    }
    void clickSomething()
    {
        QList<QAbstractButton*> enabled;
        for (const QString& name : names())
            if (QAbstractButton* b = button(window_, name); b && b->isEnabled() && b->isVisible())
                enabled << b;
        if (enabled.isEmpty()) {
            current_ = QStringLiteral("no button to click");
            return;
        }
        QAbstractButton* b = enabled[below(int(enabled.size()))];
        current_ = QStringLiteral("click %1").arg(b->objectName());
        b->click();
    }
    // A pupil who knows the answer, so that tests also run to their end.
    void answerRight()
    {
        const QString answer = rightAnswer_();
        current_ = QStringLiteral("right answer \"%1\" and Enter").arg(answer);
        QLineEdit* box = answerBox(window_);
        if (answer.isEmpty() || !box->isEnabled())
            return;
        box->clear();
        QTest::keyClicks(box, answer);
        QTest::keyClick(box, Qt::Key_Return);
    }
    static QStringList names()
    {
        QStringList all{"Command1", "Command3", "cmdHandIn"};
        for (int k = 4; k <= 16; ++k)
            all << QStringLiteral("Command%1").arg(k);
        return all;
    }
    void pressKey()
    {
        static const char keys[] = "0123456789..\b\b\r\r";
        const char c = keys[below(int(sizeof keys) - 1)];
        QLineEdit* box = answerBox(window_);
        current_ = QStringLiteral("key %1").arg(c == '\b' ? "Backspace" : c == '\r' ? "Enter" : QString(QChar(c)));
        if (c == '\b')
            QTest::keyClick(box, Qt::Key_Backspace);
        else if (c == '\r')
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::keyClick(box, c);
    }
    void paste()
    {
        static const QString pieces[] = {"7", "12", "3.5", "abc", "１２", "-4", " 8 ", "0.25", "..", "九"};
        QString text;
        for (int n = below(4) == 0 ? 200 + below(5000) : 1 + below(4); n > 0 && text.size() < 6000; --n)
            text += pieces[below(10)];
        QApplication::clipboard()->setText(text);
        current_ = QStringLiteral("paste of %1 characters (%2)").arg(text.size()).arg(text.left(12));
        QTest::keyClick(answerBox(window_), Qt::Key_V, Qt::ControlModifier);
    }
    void moveClock()
    {
        const qint64 ms = below(20) == 0 ? 6 * 60 * 1000 : below(30001);
        clock_.now += ms;
        current_ = QStringLiteral("clock + %1 ms").arg(ms);
    }
    QString common() const
    {
        const QLineEdit* box = answerBox(window_);
        if (box->text().size() > box->maxLength() || box->maxLength() >= 32767)
            return QStringLiteral("answer box holds %1 characters, limit %2").arg(box->text().size()).arg(box->maxLength());
        static const QRegularExpression number(QStringLiteral("^[0-9.]*$"));
        if (!number.match(box->text()).hasMatch())
            return QStringLiteral("answer box holds \"%1\"").arg(box->text().left(20));
        if (stopwatchText(window_).contains(QLatin1Char('-')))
            return QStringLiteral("clock shows %1").arg(stopwatchText(window_));
        return {};
    }

    QWidget* window_;
    ManualClock& clock_;
    std::mt19937_64 random_;
    QString current_;
    std::function<QString()> rightAnswer_;
    std::deque<QString> last_;
};

// "… 第 n / N 题" with n ≤ N ≤ length (a day's later session may be
// shorter); nothing is wrong when the text has no counter.
QString counterFault(const QString& text, int length)
{
    static const QRegularExpression counter(QStringLiteral("第 (\\d+) / (\\d+) 题"));
    const QRegularExpressionMatch m = counter.match(text);
    if (!m.hasMatch())
        return {};
    const int n = m.captured(1).toInt(), total = m.captured(2).toInt();
    if (total > length || n > total || n < 0)
        return QStringLiteral("counter reads \"%1\"").arg(text);
    return {};
}

// "m:ss.cc" in milliseconds.
qint64 readingMs(const QString& text)
{
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[:.]")));
    return parts.size() != 3 ? -1 : (parts[0].toLongLong() * 60 + parts[1].toLongLong()) * 1000 + parts[2].toLongLong() * 10;
}

const quint64 kSeed = fromEnvironment("ZORVEL_MONKEY_SEED", 1);
const int kEvents = int(fromEnvironment("ZORVEL_MONKEY_EVENTS", 1500));

} // namespace

Q_DECLARE_METATYPE(zorvel::fluency::FluencyTest)

class PracticeMonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void dailyPractice()
    {
        Fakes fakes;
        facts::MemoryFactStore store;
        const QDate today(2026, 12, 7);
        std::unique_ptr<QDialog> dialog = createDailyPracticeWindow(fakes.services(), store, [&] { return today; });
        auto* window = qobject_cast<DailyPracticeWindow*>(dialog.get());
        QVERIFY(window);
        dialog->resize(window->designSize());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        int sessions = 0;
        bool wasFinished = false;
        const QString broken = PracticeMonkey(window, *fakes.clock, kSeed, [&] {
            const std::optional<facts::Fact> fact = window->currentFact();
            return fact ? QString::number(fact->answer()) : QString();
        }).play(kEvents, [&]() -> QString {
            const QString title = caption(window, "Label7");
            if (const QString fault = counterFault(title, facts::kSessionLength + facts::kMaxReturnsPerSession);
                !fault.isEmpty())
                return fault;
            // The last question answered or timed out: the session is over.
            static const QRegularExpression last(QStringLiteral("第 (\\d+) / \\1 题"));
            if (last.match(title).hasMatch() && !window->currentFact())
                return QStringLiteral("\"%1\" with no question on screen and no result").arg(title);
            const bool finished = title.startsWith(QStringLiteral("今日练习 完成"));
            sessions += finished && !wasFinished;
            wasFinished = finished;
            if (finished != window->findChild<QWidget*>("pnlResult")->isVisible())
                return QStringLiteral("\"%1\" with the result %2").arg(title, finished ? "hidden" : "shown");
            return {};
        });
        QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1: %2").arg(kSeed).arg(broken)));
        qInfo("%d sessions finished, %d answers stored", sessions, int(store.answers().size()));
    }

    void fluencyTest_data()
    {
        QTest::addColumn<fluency::FluencyTest>("test");
        QTest::newRow("times table, 5 minutes") << *fluency::presetByKey(QStringLiteral("times-table-60"));
        QTest::newRow("add and subtract, 5 minutes") << *fluency::presetByKey(QStringLiteral("add-sub-20-60"));
        QTest::newRow("ten, one minute")
            << fluency::customTest(Operation::Add, Level::OneDigitByOne, NumberType::Integer, 10, 1, 90);
        QTest::newRow("ten, no limit")
            << fluency::customTest(Operation::Div, Level::TwoDigitsByOne, NumberType::Integer, 10, 0, 100);
    }
    void fluencyTest()
    {
        QFETCH(fluency::FluencyTest, test);
        Fakes fakes;
        fakes.recording = true;
        fluency::MemoryHistory history;
        std::unique_ptr<FluencyDrillWindow> window = createFluencyDrillWindow(test, fakes.services(), &history);
        window->resize(window->designSize());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget* w = window.get();
        auto* result = w->findChild<QTextBrowser*>("txtResult");
        int tests = 0;
        bool wasOver = false;
        const QString broken = PracticeMonkey(w, *fakes.clock, kSeed, [&] {
            return button(w, "cmdHandIn")->isEnabled() ? rightAnswerText(window.get()) : QString();
        }).play(kEvents, [&]() -> QString {
            const QString progress = caption(w, "lblProgress");
            if (const QString fault = counterFault(progress, test.questions); !fault.isEmpty())
                return fault;
            // Not ready to start and not running: the test is over.
            const bool over = !button(w, "Command1")->isEnabled() && !button(w, "cmdHandIn")->isEnabled();
            tests += over && !wasOver;
            wasOver = over;
            if (over != result->isVisible())
                return QStringLiteral("%1 with the result %2").arg(over ? "test over" : "test not over",
                                                                   result->isVisible() ? "shown" : "hidden");
            if (test.timed() && readingMs(stopwatchText(w)) > test.limitSeconds * 1000)
                return QStringLiteral("countdown shows %1").arg(stopwatchText(w));
            return {};
        });
        QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1: %2").arg(kSeed).arg(broken)));
        qInfo("%d tests finished", tests);
    }
};

QTEST_MAIN(PracticeMonkeyTest)
#include "practice_monkey_test.moc"

// The events of the monkey and the bookkeeping that follows a test.
#include "monkey.h"

#include "driver.h"

#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "normal_drill/stopwatch.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace zorvel::testing {

quint64 fromEnvironment(const char* name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

Monkey::Monkey(const QString& form, quint64 seed) : form_(form)
{
    // Each window its own stream, the same on every run of the seed.
    std::seed_seq streams{quint32(seed), quint32(seed >> 32), quint32(form.mid(4).toUInt())};
    random_.seed(streams);
    answerReminder_ = [this](QWidget*, const QString& title, const QString&) { reminderShown(title); };
}

void Monkey::open()
{
    Fakes fakes;
    fakes.clock = clock_;
    fakes.record = record_;
    fakes.seed = random_();
    DrillServices services = fakes.services();
    services.showMessage = answerReminder_;
    const bool normal = form_.startsWith(QLatin1String("Form8"));
    dialog_ = normal ? createNormalDrillWindow(form_, services) : createListeningDrillWindow(form_, services);
    window_ = qobject_cast<DrillWindow*>(dialog_.get());
    dialog_->resize(window_->designSize());
    dialog_->show();
    if (!QTest::qWaitForWindowActive(dialog_.get()))
        broken_ << QStringLiteral("%1 did not become active").arg(form_);
    known_ = MonkeyKnowledge();
    running_ = false;
    ++reopenings_;
    wire();
}

// Follows the clicks that start, end and reset a test, however they came
// about (mouse, Space, Enter on a focused button, a toggled option).
void Monkey::wire()
{
    auto on = [this](const char* name, auto slot) {
        QObject::connect(window_->findChild<QAbstractButton*>(name), &QAbstractButton::clicked, window_, slot);
    };
    on("Command1", [this] {
        if (!running_ && window_->row().mode == Mode::Normal) {
            running_ = true;
            startedAt_ = now();
        }
        known_ = MonkeyKnowledge();
    });
    on("Command3", [this] { testBrokenOff(); });
    on("Command18", [this] { known_.playback = true; });
    on("Command15", [this] { known_.touchedWhileReady = true; });
    on("Command16", [this] { known_.touchedWhileReady = true; });
    for (QRadioButton* option : window_->findChildren<QRadioButton*>()) {
        QObject::connect(option, &QRadioButton::toggled, window_, [this](bool on) {
            if (on)
                testBrokenOff();
        });
    }
}

void Monkey::testBrokenOff()
{
    running_ = false;
    known_ = MonkeyKnowledge();
}

void Monkey::reminderShown(const QString& title)
{
    ++reminders_;
    if (window_->row().mode != Mode::Normal || title != QStringLiteral("超时提醒"))
        broken_ << QStringLiteral("message box \"%1\" in %2").arg(title, form_);
    else if (!running_ || now() - startedAt_ < kRestReminderMs)
        broken_ << QStringLiteral("reminder after %1 ms of test").arg(running_ ? now() - startedAt_ : -1);
    if (window_->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive())
        broken_ << QStringLiteral("stopwatch running under the reminder");
    testBrokenOff();
    // A real message box runs its own event loop until OK.
    QCoreApplication::processEvents();
}

QString Monkey::randomText()
{
    static const QString alphabet = QStringLiteral("0123456789.  \t\n\r-+,eE x五５۳\u200b") + QChar(0) + QChar(0x1b);
    const int sizes[] = {0, 1, 3, 8, 30, 300, 5000, 1 << 20};
    int size = sizes[below(8)];
    if (size == 1 << 20 && !chance(0.05))
        size = 100000;
    size = size ? 1 + below(size) : 0;
    const bool digitsOnly = chance(0.5);
    QString text(size, Qt::Uninitialized);
    for (QChar& c : text)
        c = alphabet[below(digitsOnly ? 11 : int(alphabet.size()))];
    return text;
}

// A shown, enabled button: a level or type option, or any other but "返 回".
void Monkey::clickSomething(bool options)
{
    QList<QAbstractButton*> shown;
    for (QAbstractButton* b : window_->findChildren<QAbstractButton*>()) {
        if (b->isVisible() && b->isEnabled() && b->objectName() != QLatin1String("Command2")
            && bool(qobject_cast<QRadioButton*>(b)) == options)
            shown << b;
    }
    if (shown.isEmpty())
        return;
    QAbstractButton* b = shown[below(int(shown.size()))];
    current_ = QStringLiteral("click %1").arg(b->objectName());
    // An option or a check box is clicked on its indicator.
    const bool indicator = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
    QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(8, b->height() / 2) : QPoint());
}

// Whichever of "出 题", "核对答案" and "再测一次" takes the test on.
void Monkey::clickProgress()
{
    for (const char* name : {"Command1", "Command18", "Command3"}) {
        auto* b = window_->findChild<QAbstractButton*>(name);
        if (b->isVisible() && b->isEnabled() && (name[7] == '1' || chance(0.5))) {
            current_ = QStringLiteral("click %1").arg(name);
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    }
}

// The answer of the operands on screen, typed on the keypad or the keyboard
// in one of its right forms (or, now and then, wrong), then confirmed.
void Monkey::planAnswer()
{
    QStringList operands;
    for (int i = 0; i < window_->row().operandCount(); ++i)
        operands << label(window_, QStringLiteral("Label9(%1)").arg(i))->text();
    QString why;
    std::optional<QString> answer = answerOfOperands(window_->row().operation, operands, &why);
    if (!answer)
        return clickProgress();
    QString text = QString::number(answer->toDouble(), 'g', 12);
    text = (chance(0.2) ? QStringLiteral("0") : QString()) + text + (chance(0.1) ? QStringLiteral("1") : QString());
    const bool keypad = chance(0.5);
    // Whatever the box holds goes first: Home, Shift+End, Backspace.
    if (!answerBox(window_)->text().isEmpty())
        planned_.insert(planned_.end(), {QStringLiteral("Home"), QStringLiteral("ShiftEnd"), QStringLiteral("Backspace")});
    for (QChar c : text)
        planned_.push_back(keypad ? QStringLiteral("Command%1").arg(c == QLatin1Char('.') ? 14 : 4 + c.digitValue())
                                  : QStringLiteral("key:") + c);
    planned_.push_back(keypad ? QStringLiteral("Command16") : QStringLiteral("key:\r"));
    playPlanned();
}

void Monkey::playPlanned()
{
    const QString next = planned_.front();
    planned_.pop_front();
    current_ = QStringLiteral("planned %1").arg(next);
    QWidget* box = answerBox(window_);
    if (next == QLatin1String("Home") || next == QLatin1String("ShiftEnd") || next == QLatin1String("Backspace")) {
        const Qt::Key key = next == QLatin1String("Home") ? Qt::Key_Home
                            : next == QLatin1String("ShiftEnd") ? Qt::Key_End : Qt::Key_Backspace;
        QTest::keyClick(box, key, next == QLatin1String("ShiftEnd") ? Qt::ShiftModifier : Qt::NoModifier);
        return;
    }
    if (next.startsWith(QLatin1String("key:"))) {
        if (next.endsWith(QLatin1Char('\r')))
            known_.touchedWhileReady = true;
        const QChar c = next.back();
        const Qt::Key key = c == QLatin1Char('\r') ? Qt::Key_Return
                            : c == QLatin1Char('.') ? Qt::Key_Period
                                                    : Qt::Key(Qt::Key_0 + c.digitValue());
        QTest::sendKeyEvent(QTest::Click, box, key, QString(c), {});
        return;
    }
    auto* b = window_->findChild<QAbstractButton*>(next);
    if (b->isEnabled())
        QTest::mouseClick(b, Qt::LeftButton);
}

void Monkey::pressKey(QWidget* target)
{
    struct Key { Qt::Key key; Qt::KeyboardModifiers mods; const char* text; };
    static const Key keys[] = {
        {Qt::Key_0, {}, "0"}, {Qt::Key_1, {}, "1"}, {Qt::Key_5, {}, "5"}, {Qt::Key_9, {}, "9"},
        {Qt::Key_Period, {}, "."}, {Qt::Key_Backspace, {}, "\b"}, {Qt::Key_Return, {}, "\r"},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r"}, {Qt::Key_Space, {}, " "}, {Qt::Key_Tab, {}, "\t"},
        {Qt::Key_Backtab, Qt::ShiftModifier, ""}, {Qt::Key_Escape, {}, "\x1b"}, {Qt::Key_Delete, {}, ""},
        {Qt::Key_Left, {}, ""}, {Qt::Key_Right, {}, ""}, {Qt::Key_Up, {}, ""}, {Qt::Key_Down, {}, ""},
        {Qt::Key_Home, {}, ""}, {Qt::Key_End, {}, ""}, {Qt::Key_A, {}, "a"}, {Qt::Key_Minus, {}, "-"},
        {Qt::Key_A, Qt::ControlModifier, ""}, {Qt::Key_Z, Qt::ControlModifier, ""},
        {Qt::Key_Y, Qt::ControlModifier, ""}, {Qt::Key_X, Qt::ControlModifier, ""},
        {Qt::Key_C, Qt::ControlModifier, ""}, {Qt::Key_unknown, {}, "五"}, {Qt::Key_unknown, {}, "５"},
    };
    const Key& k = keys[below(int(std::size(keys)))];
    current_ = QStringLiteral("key %1+%2 \"%3\" on %4")
                   .arg(int(k.mods), 0, 16).arg(int(k.key), 0, 16)
                   .arg(QString::fromUtf8(k.text).toHtmlEscaped(), target->objectName());
    if ((k.key == Qt::Key_Return || k.key == Qt::Key_Enter) && target->objectName() == QLatin1String("Text1"))
        known_.touchedWhileReady = true;
    QTest::sendKeyEvent(QTest::Click, target, k.key, QString::fromUtf8(k.text), k.mods);
}

void Monkey::paste()
{
    const QString text = randomText();
    QApplication::clipboard()->setText(text);
    QWidget* box = answerBox(window_);
    const bool shiftInsert = chance(0.5);
    current_ = QStringLiteral("paste of %1 characters (%2) by %3")
                   .arg(text.size()).arg(text.left(12).toHtmlEscaped(), shiftInsert ? "Shift+Insert" : "Ctrl+V");
    if (shiftInsert)
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Mostly the seconds of a pupil's work; now and then a wait past the
// reminder, a jump back or a jump far ahead.
void Monkey::moveClock()
{
    const qint64 steps[] = {below(50), below(2000), below(20000), below(700000), -below(86400000),
                            qint64(1) << 40, -(qint64(1) << 40)};
    const qint64 step = steps[chance(0.9) ? below(3) : 3 + below(4)];
    current_ = QStringLiteral("clock %1%2 ms").arg(step >= 0 ? "+" : "").arg(step);
    clock_->now += step;
}

// A reminder due by the clock comes at the next tick of Timer1.
void Monkey::awaitDueReminder()
{
    if (!running_ || !window_->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive()
        || now() - startedAt_ < kRestReminderMs)
        return;
    const int before = reminders_;
    QElapsedTimer waited;
    waited.start();
    while (reminders_ == before && waited.elapsed() < 5000)
        QTest::qWait(1);
    if (reminders_ == before)
        broken_ << QStringLiteral("no reminder %1 ms into a test").arg(now() - startedAt_);
}

void Monkey::event()
{
    QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : dialog_.get();
    // Now and then the monkey works through tests like a diligent pupil,
    // long enough to finish them and reach the playback.
    if (chance(1.0 / 150))
        diligent_ = !diligent_;
    current_ = QStringLiteral("nothing to click");
    const int kind = below(1000);
    if (!planned_.empty() && kind < 900) {
        playPlanned();
    } else if (diligent_) {
        if (kind < 400)
            clickProgress();
        else if (kind < 800)
            planAnswer();
        else if (kind < 900)
            clickSomething(false);
        else
            pressKey(focused);
    } else if (kind < 220) {
        clickProgress();
    } else if (kind < 320) {
        planAnswer();
    } else if (kind < 500) {
        clickSomething(false);
    } else if (kind < 530) {
        clickSomething(true);
    } else if (kind < 650) {
        pressKey(focused);
    } else if (kind < 700) {
        current_ = QStringLiteral("click into Text1");
        QTest::mouseClick(answerBox(window_), Qt::LeftButton);
    } else if (kind < 740) {
        pressKey(answerBox(window_));
    } else if (kind < 780) {
        paste();
    } else if (kind < 975) {
        moveClock();
    } else if (kind < 990) {
        current_ = QStringLiteral("click Command2 (返 回)");
        QTest::mouseClick(window_->findChild<QAbstractButton*>("Command2"), Qt::LeftButton);
    } else {
        current_ = QStringLiteral("close by the title bar");
        dialog_->close();
    }
    QCoreApplication::processEvents();
}

QString Monkey::play(int count)
{
    open();
    for (int i = 0; i < count && broken_.isEmpty(); ++i) {
        QElapsedTimer roundTrip;
        roundTrip.start();
        event();
        const double ms = roundTrip.nsecsElapsed() / 1e6;
        if (slowMs_ > 0 && ms > slowMs_)
            qInfo("event %d took %.1f ms: %s", i, ms, qPrintable(current_));
        if (ms > worstMs_) {
            worstMs_ = ms;
            worstEvent_ = current_;
        }
        lastEvents_.push_back(QStringLiteral("%1: %2").arg(i).arg(current_));
        if (lastEvents_.size() > 12)
            lastEvents_.pop_front();
        if (!dialog_->isVisible()) {
            planned_.clear();
            wasFinished_ = false;
            open();
            continue;
        }
        awaitDueReminder();
        const bool finished = window_->findChild<QAbstractButton*>("Command3")->isEnabled();
        finished_ += finished && !wasFinished_;
        wasFinished_ = finished;
        broken_ << brokenInvariants(*window_, known_);
        if (!broken_.isEmpty())
            broken_.prepend(QStringLiteral("%1, event %2:").arg(form_).arg(i));
    }
    if (broken_.isEmpty())
        return {};
    QStringList report = broken_;
    report << QStringLiteral("last events:");
    report << QStringList(lastEvents_.begin(), lastEvents_.end());
    return report.join(QStringLiteral("\n  "));
}

} // namespace zorvel::testing

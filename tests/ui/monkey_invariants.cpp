// The drill-window invariants of the monkey test.
#include "monkey_invariants.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <cstdlib>

namespace zorvel::testing {

namespace {

struct Screen {
    const DrillWindow& w;
    QAbstractButton* button(const QString& name) const { return w.findChild<QAbstractButton*>(name); }
    bool enabled(const QString& name) const { return button(name)->isEnabled(); }
    QString text(const QString& name) const { return w.findChild<QLabel*>(name)->text(); }
    int digitKeysEnabled() const  // digits and "."
    {
        int count = 0;
        for (int k = 4; k <= 14; ++k)
            count += enabled(QStringLiteral("Command%1").arg(k));
        return count;
    }
    bool timerRunning() const { return w.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive(); }
};

// Counts the checked options of a frame among those the pupil can see.
int checkedShown(const DrillWindow& w, const QString& frame, bool* hiddenChecked)
{
    int checked = 0;
    for (QRadioButton* o : w.findChild<QGroupBox*>(frame)->findChildren<QRadioButton*>()) {
        if (!o->isChecked())
            continue;
        if (o->isVisibleTo(&w))
            ++checked;
        else
            *hiddenChecked = true;
    }
    return checked;
}

QString twoCharacters(int n) { return QString::number(n).rightJustified(2, QLatin1Char(' ')); }

QStringList numberForms(bool normal, bool plainNumbers, bool answersOffered)
{
    QStringList forms;
    if (!answersOffered)
        forms << QStringLiteral("0") << QStringLiteral(" 0");
    const int last = normal ? 10 : answersOffered ? 20 : 19;
    for (int n = 1; n <= last; ++n) {
        forms << (plainNumbers ? QString::number(n) : twoCharacters(n));
        if (answersOffered)
            forms << QString::number(n);  // the playback's plain number
    }
    return forms;
}

// Reads "47", "4.7", "0.08", "5." as hundredths.
std::optional<long long> hundredths(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,9})(?:\\.(\\d{0,2}))?$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QString decimals = m.captured(2).leftJustified(2, QLatin1Char('0'));
    return m.captured(1).toLongLong() * 100 + decimals.toLongLong();
}

void checkStopwatch(const Screen& s, bool normal, QStringList& broken)
{
    static const QRegularExpression twoDigits(QStringLiteral("^\\d\\d$"));
    const QString minutes = s.text(QStringLiteral("Label5"));
    bool ok = false;
    const int m = minutes.toInt(&ok);
    // Past 10:02 the reminder has come, so a normal window never shows more.
    if (!ok || m < 0 || m > (normal ? 10 : 59) || minutes != QString::number(m))
        broken << QStringLiteral("stopwatch minutes \"%1\"").arg(minutes);
    const QString seconds = s.text(QStringLiteral("Label2"));
    if (!twoDigits.match(seconds).hasMatch() || seconds.toInt() > 59)
        broken << QStringLiteral("stopwatch seconds \"%1\"").arg(seconds);
    if (!twoDigits.match(s.text(QStringLiteral("Label11"))).hasMatch())
        broken << QStringLiteral("stopwatch hundredths \"%1\"").arg(s.text(QStringLiteral("Label11")));
}

void checkNormalPhase(const Screen& s, int number, bool keypad, const QString& mark, const MonkeyKnowledge& known,
                      QStringList& broken)
{
    const bool ask = s.enabled(QStringLiteral("Command1"));
    const bool finished = s.enabled(QStringLiteral("Command3"));
    const bool picture = s.w.findChild<QLabel*>(QStringLiteral("Picture1"))->isVisible();
    if (s.enabled(QStringLiteral("Command18")) || s.button(QStringLiteral("Command18"))->isVisible())
        broken << QStringLiteral("核对答案 offered in normal mode");
    if (finished && (number != 10 || ask || !picture || s.timerRunning()))
        broken << QStringLiteral("再测一次 enabled outside a finished test");
    if (number == 0 && (!ask || finished || s.timerRunning() || (keypad && !known.touchedWhileReady)))
        broken << QStringLiteral("count 0 but not ready");
    if (number > 0 && !finished && (!s.timerRunning() || (!ask && !keypad)))
        broken << QStringLiteral("test running without stopwatch, or with neither 出 题 nor keypad");
    if (mark == QStringLiteral("√") && number > 0 && number < 10 && !ask)
        broken << QStringLiteral("√ before question 10 without 出 题");
}

void checkListeningPhase(const Screen& s, int number, bool keypad, const MonkeyKnowledge& known, QStringList& broken)
{
    const bool offered = s.enabled(QStringLiteral("Command18"));
    if (offered != s.enabled(QStringLiteral("Command3")))
        broken << QStringLiteral("核对答案 and 再测一次 not enabled together");
    if (!s.button(QStringLiteral("Command18"))->isVisible())
        broken << QStringLiteral("核对答案 not shown");
    if (offered) {
        if (s.timerRunning())
            broken << QStringLiteral("stopwatch running after question 20");
        return;
    }
    if (!s.enabled(QStringLiteral("Command1")))
        broken << QStringLiteral("出 题 disabled before question 20");
    if (s.timerRunning() != (number > 0))
        broken << QStringLiteral("stopwatch running: %1 at count %2").arg(s.timerRunning()).arg(number);
    if (number == 0 && keypad && !known.touchedWhileReady)
        broken << QStringLiteral("keypad open with no question");
}

void checkAnswer(const DrillWindow& w, const Screen& s, QStringList& broken)
{
    QStringList operands;
    for (int i = 0; i < w.row().operandCount(); ++i)
        operands << s.text(QStringLiteral("Label9(%1)").arg(i));
    QString why;
    const std::optional<QString> answer = answerOfOperands(w.row().operation, operands, &why);
    if (!why.isEmpty())
        broken << why;
    else if (answer && std::strtof(answer->toLatin1().constData(), nullptr) != w.cycle().correctAnswer())
        broken << QStringLiteral("correct answer %1, but the operands %2 give %3")
                      .arg(double(w.cycle().correctAnswer()))
                      .arg(operands.join(QLatin1Char('|')), *answer);
}

} // namespace

std::optional<QString> answerOfOperands(Operation operation, const QStringList& operands, QString* why)
{
    int blank = 0;
    std::vector<long long> h;
    for (const QString& text : operands) {
        if (text.trimmed().isEmpty()) {
            ++blank;
            continue;
        }
        const auto value = hundredths(text);
        if (!value) {
            *why = QStringLiteral("operand text \"%1\"").arg(text);
            return std::nullopt;
        }
        h.push_back(*value);
    }
    if (blank == operands.size())
        return std::nullopt;
    if (blank) {
        *why = QStringLiteral("some operands blank: %1").arg(operands.join(QLatin1Char('|')));
        return std::nullopt;
    }
    long long result = 0;  // hundredths
    switch (operation) {
    case Operation::Add: result = h[0] + h[1]; break;
    case Operation::Sub: result = h[0] - h[1]; break;
    case Operation::Mixed: result = h[0] + h[1] - h[2]; break;
    case Operation::Mul: result = h[0] * h[1] / 100; break;
    case Operation::Div:
        if (h[1] == 0 || h[0] % h[1] != 0) {
            *why = QStringLiteral("division %1 does not come out exactly").arg(operands.join(QLatin1Char('|')));
            return std::nullopt;
        }
        result = h[0] / h[1] * 100;
        break;
    }
    const long long whole = std::llabs(result);
    return QStringLiteral("%1%2.%3")
        .arg(result < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QStringList brokenInvariants(const DrillWindow& w, const MonkeyKnowledge& known)
{
    QStringList broken;
    const Screen s{w};
    const bool normal = w.row().mode == Mode::Normal;
    {
        bool hiddenChecked = false;
        if (checkedShown(w, QStringLiteral("Frame2"), &hiddenChecked) != 1 || hiddenChecked)
            broken << QStringLiteral("not exactly one shown level selected");
        const bool typesShown = w.findChild<QGroupBox*>(QStringLiteral("Frame3"))->isVisible();
        const int types = typesShown ? checkedShown(w, QStringLiteral("Frame3"), &hiddenChecked)
                                     : int(w.findChild<QRadioButton*>(QStringLiteral("Option7"))->isChecked());
        if (types != 1 || (typesShown && hiddenChecked))
            broken << QStringLiteral("not exactly one number type selected");

        const QString mark = s.text(QStringLiteral("Label9(10)"));
        if (!mark.isEmpty() && mark != QStringLiteral("√") && mark != QStringLiteral("×"))
            broken << QStringLiteral("mark \"%1\"").arg(mark);
        const bool offered = !normal && s.enabled(QStringLiteral("Command18"));
        const QString caption = s.text(QStringLiteral("Label4"));
        if (!numberForms(normal, w.row().plainQuestionNumber, offered).contains(caption))
            broken << QStringLiteral("question number \"%1\"").arg(caption);
        const int number = caption.trimmed().toInt();

        const int digitKeys = s.digitKeysEnabled();
        if (digitKeys != 0 && digitKeys != 11)
            broken << QStringLiteral("digit keys partly enabled");
        const bool keypad = digitKeys == 11;
        const bool cancelConfirm = s.enabled(QStringLiteral("Command15")) || s.enabled(QStringLiteral("Command16"));
        if (s.enabled(QStringLiteral("Command15")) != s.enabled(QStringLiteral("Command16")))
            broken << QStringLiteral("取消 and 确定 not enabled together");
        if (mark == QStringLiteral("√") && (keypad || cancelConfirm))
            broken << QStringLiteral("keypad open after √");
        // The rest reminder leaves the mark of the broken-off test on show.
        if (mark == QStringLiteral("×") && (number > 0 || offered) && (!keypad || !cancelConfirm))
            broken << QStringLiteral("keypad closed after ×");

        if (normal)
            checkNormalPhase(s, number, keypad, mark, known, broken);
        else
            checkListeningPhase(s, number, keypad, known, broken);
        checkStopwatch(s, normal, broken);
        if (!known.playback)
            checkAnswer(w, s, broken);
    }
    return broken;
}

} // namespace zorvel::testing

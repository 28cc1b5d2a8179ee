// Helpers that drive a drill window through its named controls, as a pupil
// would: clicks, keypad entry, keys in the answer box.
#pragma once

#include "normal_drill/drill_window.h"
#include "questions/number_text.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace zorvel::testing {

inline QLabel* label(QWidget* w, const QString& name) { return w->findChild<QLabel*>(name); }
inline QAbstractButton* button(QWidget* w, const QString& name) { return w->findChild<QAbstractButton*>(name); }
inline QLineEdit* answerBox(QWidget* w) { return w->findChild<QLineEdit*>(QStringLiteral("Text1")); }
inline QString caption(QWidget* w, const QString& name) { return label(w, name)->text(); }

inline void click(QWidget* w, const QString& name)
{
    QAbstractButton* b = button(w, name);
    QVERIFY2(b, qPrintable(name));
    QVERIFY2(b->isEnabled(), qPrintable(name + " is disabled"));
    b->click();
}

// Types text on the keypad: digits Command4..Command13, "." Command14.
inline void typeOnKeypad(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const QString key = c == QLatin1Char('.') ? QStringLiteral("Command14")
                                                  : QStringLiteral("Command%1").arg(4 + c.digitValue());
        click(w, key);
    }
}

inline QString rightAnswerText(const DrillWindow* w)
{
    return QString::fromStdString(shortestText(w->correctAnswer()));
}

inline QString stopwatchText(QWidget* w)
{
    return caption(w, "Label5") + ':' + caption(w, "Label2") + '.' + caption(w, "Label11");
}

} // namespace zorvel::testing

// Helpers that drive a drill window through its named controls, as a pupil
// would: clicks, keypad entry, keys in the answer box; and the fixture that
// opens a fresh window on fresh fakes for each test.
#pragma once

#include "fakes.h"

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
    return QString::fromStdString(shortestText(w->cycle().correctAnswer()));
}

inline QString stopwatchText(QWidget* w)
{
    return caption(w, "Label5") + ':' + caption(w, "Label2") + '.' + caption(w, "Label11");
}

using WindowFactory = std::unique_ptr<QDialog> (*)(const QString&, const DrillServices&, QWidget*);

// Mixed into a test class: each open() shows a new window of the factory on
// new fakes (or on the fakes given).
struct DrillFixture {
    Fakes fakes;
    std::unique_ptr<QDialog> dialog;
    DrillWindow* window = nullptr;

    void openWindow(WindowFactory create, const QString& form, const Fakes& fresh = Fakes())
    {
        fakes = fresh;
        dialog = create(form, fakes.services(), nullptr);
        QVERIFY2(dialog, qPrintable(form));
        window = qobject_cast<DrillWindow*>(dialog.get());
        // The offscreen screen is smaller than a drill window: the window
        // opens fitted to it; the tests run it at its designed size.
        dialog->resize(window->designSize());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
};

} // namespace zorvel::testing

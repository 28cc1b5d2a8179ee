// Answer entry in a drill window: the answer box Text1 with its keyboard
// filter, the keypad, and the listening windows' keyboard guard. The window
// sees a few routines and three signals; the controls stay its children,
// placed in its twips.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QFont;
class QKeyEvent;
class QWidget;

namespace zorvel {

class AnswerBox;
class Keypad;
class TwipsLayout;

class AnswerEntry : public QObject {
    Q_OBJECT
public:
    AnswerEntry(QWidget* window, TwipsLayout& layout);

    QString text() const;
    void clear();
    // The program's own text (a played-back answer), past the pupil's filter.
    void showAnswer(const QString& text);
    void setFont(const QFont& designFont);
    void focusBox();
    QWidget* box() const;
    // Closed, the box keeps its text but takes no key but Tab.
    void setTypingOpen(bool open);
    // The whole answer selected: what the pupil types next replaces it.
    void selectAnswer();

    void setDigitKeysEnabled(bool enabled);  // digits and "."
    void setCancelConfirmEnabled(bool enabled);

    // While armed() says so, every key in the answer box is reported by
    // guardTripped; without it there is no guard.
    void setGuard(std::function<bool()> armed);

    // A digit, a point or Backspace typed while a keypad key has the focus
    // (the answer entered by mouse) goes to the answer box while the keypad
    // is open; true when the key went there.
    bool takeFromKeypad(QWidget* focused, QKeyEvent* key);

signals:
    // The pupil worked on the answer (a key, a paste, a drop): the mark no
    // longer applies.
    void edited();
    // "确定" or Enter in the answer box.
    void checkRequested();
    void guardTripped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void appendToAnswer(const QString& text);
    void digitKey(int digit);
    void cancelKey();
    // Filters a key in the answer box; true when the key is used up.
    bool filterKey(QKeyEvent* key);
    void tripGuardIfArmed();

    TwipsLayout& layout_;
    AnswerBox* box_ = nullptr;
    Keypad* keypad_ = nullptr;
    std::function<bool()> guardArmed_;
};

} // namespace zorvel

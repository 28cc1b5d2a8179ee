// The keypad keys, the answer box's keyboard filter and the keyboard guard.
#include "normal_drill/answer_entry.h"

#include "normal_drill/answer_box.h"
#include "normal_drill/keypad.h"
#include "normal_drill/twips_layout.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>
#include <QPushButton>

namespace zorvel {

AnswerEntry::AnswerEntry(QWidget* window, TwipsLayout& layout) : QObject(window), layout_(layout)
{
    box_ = new AnswerBox(window);
    box_->setObjectName(QStringLiteral("Text1"));
    box_->setAccessibleName(QStringLiteral("答案"));
    layout_.place(box_, QRect(2040, 7800, 7485, 2700));
    // Only the keys the filter accepts may write here, so no input method
    // composes text in the box.
    box_->setAttribute(Qt::WA_InputMethodEnabled, false);
    box_->installEventFilter(this);
    // Whatever else the pupil puts in (a paste, a drop) counts as typing.
    connect(box_, &QLineEdit::textEdited, this, [this] {
        emit edited();
        setCancelConfirmEnabled(true);
        tripGuardIfArmed();
    });

    keypad_ = new Keypad(window, layout);
    connect(keypad_, &Keypad::digitPressed, this, &AnswerEntry::digitKey);
    connect(keypad_, &Keypad::pointPressed, this, [this] {
        // A second point is refused: the key does nothing, as a letter does.
        if (!box_->takesPoint())
            box_->setFocus();
        else
            appendToAnswer(QStringLiteral("."));
    });
    connect(keypad_, &Keypad::cancelPressed, this, &AnswerEntry::cancelKey);
    connect(keypad_, &Keypad::confirmPressed, this, &AnswerEntry::checkRequested);
}

QString AnswerEntry::text() const { return box_->text(); }
void AnswerEntry::clear() { box_->clear(); }
void AnswerEntry::showAnswer(const QString& text) { box_->showAnswer(text); }
void AnswerEntry::setFont(const QFont& designFont) { layout_.setFont(box_, designFont); }
void AnswerEntry::focusBox() { box_->setFocus(); }
QWidget* AnswerEntry::box() const { return box_; }
void AnswerEntry::selectAnswer() { box_->selectAll(); }
void AnswerEntry::setTypingOpen(bool open) { box_->setReadOnly(!open); }
void AnswerEntry::setGuard(std::function<bool()> armed) { guardArmed_ = std::move(armed); }

void AnswerEntry::setDigitKeysEnabled(bool enabled)
{
    keypad_->setDigitKeysEnabled(enabled);
}

void AnswerEntry::setCancelConfirmEnabled(bool enabled)
{
    keypad_->cancel()->setEnabled(enabled);
    keypad_->confirm()->setEnabled(enabled);
}

void AnswerEntry::digitKey(int digit)
{
    appendToAnswer(QString::number(digit));
    if (digit != 0)
        setCancelConfirmEnabled(true);
}

// Each key works on the whole text, never at the caret; a selected answer
// is replaced, as by a key typed.
void AnswerEntry::appendToAnswer(const QString& text)
{
    const bool replacing = box_->hasSelectedText() && box_->selectedText() == box_->text();
    box_->setText((replacing ? QString() : box_->text()) + text);
    box_->end(false);
    box_->setFocus();
    emit edited();
}

void AnswerEntry::cancelKey()
{
    setDigitKeysEnabled(true);
    emit edited();
    const QString text = box_->text();
    if (text.size() <= 1) {
        box_->clear();
        setCancelConfirmEnabled(false);
    } else {
        box_->setText(text.left(text.size() - 1));
        box_->end(false);
    }
    box_->setFocus();
}

bool AnswerEntry::takeFromKeypad(QWidget* focused, QKeyEvent* key)
{
    const QString text = key->text();
    const bool answerKey = key->key() == Qt::Key_Backspace || (text.size() == 1 && AnswerBox::isAnswerCharacter(text[0]));
    if (!answerKey || !focused || !keypad_->point()->isEnabled() || box_->isReadOnly() || !box_->isEnabled())
        return false;
    const bool onKeypad = focused == keypad_->point() || focused == keypad_->cancel() || focused == keypad_->confirm()
        || std::find(keypad_->digits().begin(), keypad_->digits().end(), focused) != keypad_->digits().end();
    if (!onKeypad)
        return false;
    box_->setFocus();
    QCoreApplication::sendEvent(box_, key);
    return true;
}

bool AnswerEntry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::InputMethod)
        return true;
    if (watched != box_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    return filterKey(static_cast<QKeyEvent*>(event));
}

bool AnswerEntry::filterKey(QKeyEvent* key)
{
    if (box_->isReadOnly())
        return key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
    // Pasting is filtered by the box itself, as every other way in.
    if (key->matches(QKeySequence::Paste)) {
        tripGuardIfArmed();
        return false;
    }
    const QString text = key->text();
    bool used = false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        emit checkRequested();
        used = true;
    } else if (key->key() == Qt::Key_Backspace
               || (text.size() == 1 && AnswerBox::isAnswerCharacter(text[0])
                   && (text[0] != QLatin1Char('.') || box_->takesPoint()))) {
        emit edited();
        setCancelConfirmEnabled(true);
    } else if (!text.isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab
               && key->key() != Qt::Key_Delete) {
        used = true;
    } else {
        return false;
    }
    tripGuardIfArmed();
    return used;
}

void AnswerEntry::tripGuardIfArmed()
{
    // The keyboard guard: once the answers can be checked, a key in the
    // answer box is reported, even one the filter throws away.
    if (guardArmed_ && guardArmed_())
        emit guardTripped();
}

} // namespace zorvel

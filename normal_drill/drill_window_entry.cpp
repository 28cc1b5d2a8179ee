// Answer entry in a drill window: the keypad keys, the answer box's keyboard
// filter with the listening windows' keyboard guard, and Enter, which presses
// only the focused button.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_box.h"
#include "normal_drill/keypad.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zorvel {

void DrillWindow::keyPressEvent(QKeyEvent* event)
{
    // Only "返 回" leaves a drill window; Escape does not. Enter presses the
    // button that has the focus and nothing else: the window has no default
    // button that a check box or an option could pass it on to.
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled())
            focused->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DrillWindow::digitKey(int digit)
{
    appendToAnswer(QString::number(digit));
    if (digit != 0)
        setCancelConfirmEnabled(true);
}

void DrillWindow::pointKey()
{
    appendToAnswer(QStringLiteral("."));
}

void DrillWindow::appendToAnswer(const QString& text)
{
    answerBox_->setText(answerBox_->text() + text);
    answerBox_->end(false);
    answerBox_->setFocus();
    markLabel_->clear();
}

void DrillWindow::cancelKey()
{
    EnableDigitKeys();
    markLabel_->clear();
    const QString text = answerBox_->text();
    if (text.size() <= 1) {
        answerBox_->clear();
        setCancelConfirmEnabled(false);
    } else {
        answerBox_->setText(text.left(text.size() - 1));
        answerBox_->end(false);
    }
    answerBox_->setFocus();
}

bool DrillWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == answerBox_ && event->type() == QEvent::InputMethod)
        return true;
    if (watched != answerBox_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    bool discard = false;
    if (key->matches(QKeySequence::Paste)) {
        // Pasting is filtered by the box itself, as every other way in.
        return false;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        CheckAnswer();
        discard = true;
    } else if (key->key() == Qt::Key_Backspace
               || (text.size() == 1 && AnswerBox::isAnswerCharacter(text[0]))) {
        markLabel_->clear();
        setCancelConfirmEnabled(true);
    } else if (!text.isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab
               && key->key() != Qt::Key_Delete) {
        discard = true;
    } else {
        return false;
    }
    guardAgainstKeys();
    return discard;
}

void DrillWindow::answerEdited()
{
    // Whatever the pupil put in (a key, a paste, a drop) counts as typing.
    markLabel_->clear();
    setCancelConfirmEnabled(true);
    guardAgainstKeys();
}

void DrillWindow::guardAgainstKeys()
{
    // The keyboard guard: once the answers can be checked, a key in the
    // answer box takes "出 题" away again. The focus that Enter may just have
    // given it returns to the answer box rather than passing on to
    // "再测一次", where a second Enter would end the playback.
    if (row_.keyboardGuard && checkAnswersButton_->isEnabled()) {
        QWidget* focused = focusWidget();
        askButton_->setEnabled(false);
        refocusAfterDisabling(focused, answerBox_);
    }
}

} // namespace zorvel

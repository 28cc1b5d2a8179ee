// How a drill window is set up on the screen: its size, its controls (made by
// DrillControls) wired to the window's routines, and the keys that act on the
// whole window.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_entry.h"
#include "normal_drill/stopwatch_display.h"
#include "window_fit/window_fit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

namespace zorvel {

void DrillWindow::connectControls()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // Over the window it is opened from: the menu, or the records window for
    // a "重练".
    fitOnScreen(this, layout_.designSize(), parentWidget() ? parentWidget() : windowInFront());
    setMinimumSize(smallestLegibleSize(layout_.designSize()).boundedTo(size()));
    layout_.fitToWindow();
    controls_ = std::make_unique<DrillControls>(this, layout_, row_, services_.clock);
    DrillControls& c = *controls_;

    // An option's Click runs whenever it becomes selected: by mouse, keyboard,
    // a screen reader's toggle, or by loading.
    std::vector<QRadioButton*> options(c.levelOptions.begin(), c.levelOptions.end());
    options.insert(options.end(), c.typeOptions.begin(), c.typeOptions.end());
    for (QRadioButton* option : options) {
        connect(option, &QRadioButton::toggled, this, [this, option](bool on) {
            if (on)
                optionChosen(option->objectName());
        });
    }
    connect(c.stopwatch, &StopwatchDisplay::ticked, this, [this](qint64 elapsedMs) { stopwatchTicked(elapsedMs); });
    connect(c.entry, &AnswerEntry::edited, c.mark, &QLabel::clear);
    connect(c.entry, &AnswerEntry::checkRequested, this, &DrillWindow::checkAnswer);
    connect(c.entry, &AnswerEntry::guardTripped, this, [this] {
        // The focus that Enter may just have given "出 题" returns to the
        // answer box rather than passing on to "再测一次", where a second
        // Enter would end the playback.
        QWidget* focused = focusWidget();
        controls_->ask->setEnabled(false);
        refocusAfterDisabling(focused, controls_->entry->box());
    });
    if (row_.keyboardGuard)
        c.entry->setGuard([this] { return controls_->checkAnswers->isEnabled(); });
    connect(c.ask, &QPushButton::clicked, this, [this] { askQuestion(); });
    connect(c.restart, &QPushButton::clicked, this, [this] { startAgain(); });
    connect(c.checkAnswers, &QPushButton::clicked, this, [this] {
        recording_.playbackReached();
        checkAnswersClicked();
    });
    connect(c.back, &QPushButton::clicked, this, [this] { accept(); });
}

void DrillWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layout_.fitToWindow();
}

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
        if (!controls_->entry->takeFromKeypad(focusWidget(), event))
            QDialog::keyPressEvent(event);
    }
}

} // namespace zorvel

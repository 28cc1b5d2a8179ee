// How a drill window is built: every control of its family row, named,
// placed in twips and given its designed font and colour; its size on the
// screen, and the keys that act on the whole window.
#include "normal_drill/drill_window.h"

#include "normal_drill/answer_entry.h"
#include "normal_drill/column_label.h"
#include "normal_drill/drill_button.h"
#include "design_units/screen_units.h"
#include "normal_drill/stopwatch_display.h"
#include "window_fit/window_fit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>

namespace zorvel {

namespace {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, TwipsLayout& layout, const QString& name, const QString& caption,
                  const QFont& font, Qt::Alignment alignment, const QRect& twips)
{
    auto* label = new ColumnLabel(caption, parent);
    label->setObjectName(name);
    layout.setFont(label, font);
    label->setAlignment(alignment);
    layout.place(label, twips);
    return label;
}

QPushButton* makeButton(QWidget* parent, TwipsLayout& layout, const QString& name, const QString& caption,
                        const QFont& font, const QRect& twips)
{
    auto* button = new DrillButton(caption, parent);
    button->setObjectName(name);
    layout.setFont(button, font);
    layout.place(button, twips);
    return button;
}

QFont heiti(qreal pt) { return designFont(FontFace::Heiti, pt, true); }

} // namespace

void DrillWindow::buildControls()
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    // Over the window it is opened from: the menu, or the records window for
    // a "重练".
    fitOnScreen(this, layout_.designSize(), parentWidget() ? parentWidget() : windowInFront());
    setMinimumSize(smallestLegibleSize(layout_.designSize()).boundedTo(size()));
    layout_.fitToWindow();
    heading_ = new QLabel(row_.heading, this);
    heading_->setObjectName(QStringLiteral("Label7"));
    heading_->setAlignment(Qt::AlignCenter);
    layout_.setFont(heading_, heiti(42));
    layout_.place(heading_, QRect(2160, 240, 8355, 855));
    setTextColour(heading_, colorFromBgr(0x0000FF));
    buildOptions();
    buildQuestionArea();
    stopwatch_ = new StopwatchDisplay(this, layout_, row_.side->stopwatchTop, row_.stopwatchMinutesCaption,
                                      services_.clock);
    connect(stopwatch_, &StopwatchDisplay::ticked, this, [this](qint64 elapsedMs) { stopwatchTicked(elapsedMs); });
    entry_ = new AnswerEntry(this, layout_);
    entry_->setFont(heiti(row_.integerFontPt));
    connect(entry_, &AnswerEntry::edited, this, &DrillWindow::clearMark);
    connect(entry_, &AnswerEntry::checkRequested, this, &DrillWindow::checkAnswer);
    connect(entry_, &AnswerEntry::guardTripped, this, &DrillWindow::keyboardGuardTripped);
    if (row_.keyboardGuard)
        entry_->setGuard([this] { return answerCheckOffered(); });
    // The "0" key reaches under the mark; the mark is drawn over it and lets
    // its clicks through.
    markLabel_->raise();
    markLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    buildButtons();
}

void DrillWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layout_.fitToWindow();
}

void DrillWindow::placeInTwips(QWidget* widget, const QRect& twips) { layout_.place(widget, twips); }
void DrillWindow::setDesignFont(QWidget* widget, const QFont& font) { layout_.setFont(widget, font); }

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

QCheckBox* DrillWindow::makeSwitch(const QString& name, const QString& caption, const QRect& twips)
{
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(name);
    layout_.setFont(check, designFont(FontFace::Songti, 12));
    layout_.place(check, twips);
    return check;
}

void DrillWindow::buildOptions()
{
    const OperationInfo& info = operationInfo(row_.operation);
    const SideLayout& side = *row_.side;
    const QFont optionFont = designFont(FontFace::Songti, 12);

    levelFrame_ = new QGroupBox(QStringLiteral("难度选择"), this);
    levelFrame_->setObjectName(QStringLiteral("Frame2"));
    layout_.setFont(levelFrame_, optionFont);
    layout_.place(levelFrame_, side.levelFrame);
    levelFrame_->setVisible(row_.choosesExercise);
    for (int i = 0; i < kLevelOptionCount; ++i) {
        const LevelOption& level = levelOption(row_.operation, i);
        auto* option = new QRadioButton(catalogueText(level.caption), levelFrame_);
        option->setObjectName(catalogueText(levelOptionName(i)));
        layout_.setFont(option, optionFont);
        layout_.place(option, QRect(120, side.levelTop + i * side.levelStep, 1500, 375));
        option->setVisible(level.shown);
        levelOptions_[i] = option;
    }

    typeFrame_ = new QGroupBox(catalogueText(info.numberTypeFrameCaption), this);
    typeFrame_->setObjectName(QStringLiteral("Frame3"));
    layout_.setFont(typeFrame_, optionFont);
    layout_.place(typeFrame_, side.typeFrame);
    typeFrame_->setVisible(info.numberTypesShown && row_.choosesExercise);
    for (int i = 0; i < int(kAllNumberTypes.size()); ++i) {
        const NumberType type = kAllNumberTypes[i];
        auto* option = new QRadioButton(catalogueText(numberTypeCaption(row_.operation, type)), typeFrame_);
        option->setObjectName(catalogueText(numberTypeOptionName(type)));
        layout_.setFont(option, optionFont);
        layout_.place(option, QRect(120, side.typeTops[i], 1500, 375));
        typeOptions_[i] = option;
    }

    // An option's Click runs whenever it becomes selected: by mouse, keyboard,
    // a screen reader's toggle, or by loading.
    for (QRadioButton* option : levelFrame_->findChildren<QRadioButton*>() + typeFrame_->findChildren<QRadioButton*>()) {
        connect(option, &QRadioButton::toggled, this, [this, option](bool on) {
            if (on)
                optionChosen(option->objectName());
        });
    }
}

void DrillWindow::buildQuestionArea()
{
    const OperationInfo& info = operationInfo(row_.operation);
    const OperandLayout& layout = *row_.operands;
    for (int i = 0; i < row_.operandCount(); ++i) {
        QLabel* operand = makeLabel(this, layout_, QStringLiteral("Label9(%1)").arg(i), QString(),
                                    heiti(row_.integerFontPt), Qt::AlignRight | Qt::AlignVCenter, layout.operands[i]);
        operand->setFrameStyle(QFrame::Box | QFrame::Plain);
        operand->setLineWidth(1);
        operand->setAutoFillBackground(true);
        QPalette palette = operand->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, row_.operandColours[i]);
        operand->setPalette(palette);
        operandLabels_.push_back(operand);
    }
    const QString operatorNames[2] = {QStringLiteral("Label3"), QStringLiteral("Label14")};
    for (int i = 0; i < row_.operandCount() - 1; ++i) {
        QLabel* sign = makeLabel(this, layout_, operatorNames[i], catalogueText(info.operatorCaptions[i]),
                                 heiti(120), Qt::AlignCenter, layout.operators[i]);
        setTextColour(sign, row_.operatorColours[i]);
    }

    markLabel_ = makeLabel(this, layout_, QStringLiteral("Label9(10)"), QString(), heiti(100), Qt::AlignCenter,
                           QRect(9600, 8280, 1575, 1935));
    setTextColour(markLabel_, colorFromBgr(0x0000FF));

    numberLabel_ = makeLabel(this, layout_, QStringLiteral("Label4"), QStringLiteral("0"), heiti(120),
                             Qt::AlignRight | Qt::AlignVCenter, QRect(12360, 1905, 2535, 2340));
    setTextColour(numberLabel_, colorFromBgr(0xFF0000));
}

void DrillWindow::buildButtons()
{
    const SideLayout& side = *row_.side;
    askButton_ = makeButton(this, layout_, QStringLiteral("Command1"), QStringLiteral("出 题"),
                            designFont(FontFace::Songti, 21.75, true), QRect(13080, 9480, 2000, 1000));
    connect(askButton_, &QPushButton::clicked, this, [this] { askQuestion(); });

    restartButton_ = makeButton(this, layout_, QStringLiteral("Command3"), QStringLiteral("再测一次"),
                                designFont(FontFace::Songti, 18, true), QRect(10920, 9480, 1935, 1000));
    connect(restartButton_, &QPushButton::clicked, this, [this] { startAgain(); });

    checkAnswersButton_ = makeButton(this, layout_, QStringLiteral("Command18"), QStringLiteral("核对答案"),
                                     designFont(FontFace::Songti, 18), side.checkAnswers);
    checkAnswersButton_->setVisible(row_.mode == Mode::Listening);
    connect(checkAnswersButton_, &QPushButton::clicked, this, [this] {
        recording_.playbackReached();
        checkAnswersClicked();
    });

    backButton_ = makeButton(this, layout_, QStringLiteral("Command2"), QStringLiteral("返 回"),
                             designFont(FontFace::Songti, 18), side.goBack);
    connect(backButton_, &QPushButton::clicked, this, [this] { accept(); });
}

} // namespace zorvel

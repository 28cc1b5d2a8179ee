// How a drill window's controls are made: every control of its row, named,
// placed in twips and given its designed font and colour; and the routines
// that act on the controls alone.
#include "normal_drill/drill_controls.h"

#include "design_units/screen_units.h"
#include "normal_drill/answer_entry.h"
#include "normal_drill/column_label.h"
#include "normal_drill/drill_button.h"
#include "normal_drill/stopwatch_display.h"
#include "normal_drill/twips_layout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

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

DrillControls::DrillControls(QWidget* window, TwipsLayout& layout, const FamilyRow& row,
                             std::shared_ptr<const MonotonicClock> clock)
    : row(row), layout(layout)
{
    heading = new QLabel(row.heading, window);
    heading->setObjectName(QStringLiteral("Label7"));
    heading->setAlignment(Qt::AlignCenter);
    layout.setFont(heading, heiti(42));
    layout.place(heading, QRect(2160, 240, 8355, 855));
    setTextColour(heading, colorFromBgr(0x0000FF));
    buildOptions(window);
    buildQuestionArea(window);
    stopwatch = new StopwatchDisplay(window, layout, row.side->stopwatchTop, row.stopwatchMinutesCaption,
                                     std::move(clock));
    entry = new AnswerEntry(window, layout);
    entry->setFont(heiti(row.integerFontPt));
    // The "0" key reaches under the mark; the mark is drawn over it and lets
    // its clicks through.
    mark->raise();
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    buildButtons(window);
}

QCheckBox* makeSwitch(QWidget* window, TwipsLayout& layout, const QString& name, const QString& caption,
                      const QRect& twips)
{
    auto* check = new QCheckBox(caption, window);
    check->setObjectName(name);
    layout.setFont(check, designFont(FontFace::Songti, 12));
    layout.place(check, twips);
    return check;
}

void DrillControls::buildOptions(QWidget* window)
{
    const OperationInfo& info = operationInfo(row.operation);
    const SideLayout& side = *row.side;
    const QFont optionFont = designFont(FontFace::Songti, 12);

    levelFrame = new QGroupBox(QStringLiteral("难度选择"), window);
    levelFrame->setObjectName(QStringLiteral("Frame2"));
    layout.setFont(levelFrame, optionFont);
    layout.place(levelFrame, side.levelFrame);
    levelFrame->setVisible(row.choosesExercise);
    for (int i = 0; i < kLevelOptionCount; ++i) {
        const LevelOption& level = levelOption(row.operation, i);
        auto* option = new QRadioButton(catalogueText(level.caption), levelFrame);
        option->setObjectName(catalogueText(levelOptionName(i)));
        layout.setFont(option, optionFont);
        layout.place(option, QRect(120, side.levelTop + i * side.levelStep, 1500, 375));
        option->setVisible(level.shown);
        levelOptions[static_cast<std::size_t>(i)] = option;
    }

    typeFrame = new QGroupBox(catalogueText(info.numberTypeFrameCaption), window);
    typeFrame->setObjectName(QStringLiteral("Frame3"));
    layout.setFont(typeFrame, optionFont);
    layout.place(typeFrame, side.typeFrame);
    typeFrame->setVisible(info.numberTypesShown && row.choosesExercise);
    for (int i = 0; i < int(kAllNumberTypes.size()); ++i) {
        const NumberType type = kAllNumberTypes[static_cast<std::size_t>(i)];
        auto* option = new QRadioButton(catalogueText(numberTypeCaption(row.operation, type)), typeFrame);
        option->setObjectName(catalogueText(numberTypeOptionName(type)));
        layout.setFont(option, optionFont);
        layout.place(option, QRect(120, side.typeTops[static_cast<std::size_t>(i)], 1500, 375));
        typeOptions[static_cast<std::size_t>(i)] = option;
    }
}

void DrillControls::buildQuestionArea(QWidget* window)
{
    const OperationInfo& info = operationInfo(row.operation);
    const OperandLayout& placement = *row.operands;
    for (int i = 0; i < row.operandCount(); ++i) {
        QLabel* operand = makeLabel(window, layout, QStringLiteral("Label9(%1)").arg(i), QString(),
                                    heiti(row.integerFontPt), Qt::AlignRight | Qt::AlignVCenter,
                                    placement.operands[static_cast<std::size_t>(i)]);
        operand->setFrameStyle(QFrame::Box | QFrame::Plain);
        operand->setLineWidth(1);
        operand->setAutoFillBackground(true);
        QPalette palette = operand->palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, row.operandColours[static_cast<std::size_t>(i)]);
        operand->setPalette(palette);
        operands.push_back(operand);
    }
    const QString operatorNames[2] = {QStringLiteral("Label3"), QStringLiteral("Label14")};
    for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(row.operandCount()); ++i) {
        QLabel* sign = makeLabel(window, layout, operatorNames[i], catalogueText(info.operatorCaptions[i]),
                                 heiti(120), Qt::AlignCenter, placement.operators[i]);
        setTextColour(sign, row.operatorColours[i]);
        operators.push_back(sign);
    }

    mark = makeLabel(window, layout, QStringLiteral("Label9(10)"), QString(), heiti(100), Qt::AlignCenter,
                     QRect(9600, 8280, 1575, 1935));
    setTextColour(mark, colorFromBgr(0x0000FF));

    number = makeLabel(window, layout, QStringLiteral("Label4"), QStringLiteral("0"), heiti(120),
                       Qt::AlignRight | Qt::AlignVCenter, QRect(12360, 1905, 2535, 2340));
    setTextColour(number, colorFromBgr(0xFF0000));
}

void DrillControls::buildButtons(QWidget* window)
{
    const SideLayout& side = *row.side;
    ask = makeButton(window, layout, QStringLiteral("Command1"), QStringLiteral("出 题"),
                     designFont(FontFace::Songti, 21.75, true), QRect(13080, 9480, 2000, 1000));
    restart = makeButton(window, layout, QStringLiteral("Command3"), QStringLiteral("再测一次"),
                         designFont(FontFace::Songti, 18, true), QRect(10920, 9480, 1935, 1000));
    checkAnswers = makeButton(window, layout, QStringLiteral("Command18"), QStringLiteral("核对答案"),
                              designFont(FontFace::Songti, 18), side.checkAnswers);
    checkAnswers->setVisible(row.mode == Mode::Listening);
    back = makeButton(window, layout, QStringLiteral("Command2"), QStringLiteral("返 回"),
                      designFont(FontFace::Songti, 18), side.goBack);
}

void DrillControls::clearQuestionDisplay()
{
    setOperandTexts({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")});
    stopwatch->zero();
    entry->clear();
    mark->clear();
}

void DrillControls::disableKeypad()
{
    entry->setDigitKeysEnabled(false);
    entry->setCancelConfirmEnabled(false);
}

void DrillControls::enableDigitKeys() { entry->setDigitKeysEnabled(true); }

void DrillControls::openAnswerBox()
{
    entry->box()->setEnabled(true);
    entry->setTypingOpen(true);
    ask->setEnabled(false);
}

void DrillControls::closeAnswerBox() { entry->setTypingOpen(false); }

void DrillControls::openAskButton()
{
    ask->setEnabled(true);
    ask->setFocus();
}

void DrillControls::setOperandTexts(const std::array<QString, 3>& texts)
{
    operandTexts_ = texts;
    for (std::size_t i = 0; i < operands.size(); ++i)
        operands[i]->setText(questionVeiled_ ? QString() : texts[i]);
}

void DrillControls::setQuestionVeiled(bool veiled)
{
    questionVeiled_ = veiled;
    setOperandTexts(operandTexts_);
}

void DrillControls::showOperands(const Question& question)
{
    std::array<QString, 3> texts;
    for (std::size_t i = 0; i < 3; ++i)
        texts[i] = QString::fromStdString(question.operands[i]);
    setOperandTexts(texts);
}

void DrillControls::showMark(bool right) { mark->setText(right ? QStringLiteral("√") : QStringLiteral("×")); }

void DrillControls::applyNumberTypeFonts()
{
    const qreal pt = selectedNumberType() == NumberType::Integer ? row.integerFontPt : row.decimalFontPt;
    const QFont font = heiti(pt);
    layout.setFont(operands[0], font);
    layout.setFont(operands[1], font);
    entry->setFont(font);
}

Level DrillControls::selectedLevel() const
{
    for (int i = 0; i < kLevelOptionCount; ++i) {
        if (levelOptions[static_cast<std::size_t>(i)]->isChecked() && levelOption(row.operation, i).level)
            return *levelOption(row.operation, i).level;
    }
    return operationInfo(row.operation).defaultLevel;
}

NumberType DrillControls::selectedNumberType() const
{
    for (std::size_t i = 0; i < kAllNumberTypes.size(); ++i) {
        if (typeOptions[i]->isChecked())
            return kAllNumberTypes[i];
    }
    return NumberType::Integer;
}

} // namespace zorvel

// How a drill window is built: every control of its family row, named,
// placed in twips and given its designed font and colour.
#include "normal_drill/drill_window.h"

#include "normal_drill/column_label.h"
#include "normal_drill/screen_units.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zorvel {

namespace {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                  Qt::Alignment alignment, bool column = false)
{
    auto* label = column ? new ColumnLabel(caption, parent) : new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QFont& font)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    return button;
}

QFont heiti(qreal pt) { return designFont(FontFace::Heiti, pt, true); }

} // namespace

void DrillWindow::buildControls()
{
    setFixedSize(twipsSize(row_.widthTwips, 10950));
    heading_ = makeLabel(this, QStringLiteral("Label7"), row_.heading, heiti(42), Qt::AlignCenter);
    heading_->setGeometry(twipsRect(QRect(2160, 240, 8355, 855)));
    setTextColour(heading_, colorFromBgr(0x0000FF));
    buildOptions();
    buildQuestionArea();
    buildStopwatch();
    keypad_ = new Keypad(this);
    connect(keypad_, &Keypad::digitPressed, this, &DrillWindow::digitKey);
    connect(keypad_, &Keypad::pointPressed, this, &DrillWindow::pointKey);
    connect(keypad_, &Keypad::cancelPressed, this, &DrillWindow::cancelKey);
    connect(keypad_, &Keypad::confirmPressed, this, &DrillWindow::CheckAnswer);
    buildButtons();
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(7);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &DrillWindow::tick);
    changeRepaint_ = new QTimer(this);
    changeRepaint_->setSingleShot(true);
    changeRepaint_->setTimerType(Qt::PreciseTimer);
    connect(changeRepaint_, &QTimer::timeout, this, &DrillWindow::tick);
}

QCheckBox* DrillWindow::makeSwitch(const QString& name, const QString& caption, const QRect& twips)
{
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(name);
    check->setFont(designFont(FontFace::Songti, 12));
    check->setGeometry(twipsRect(twips));
    return check;
}

void DrillWindow::buildOptions()
{
    const OperationInfo& info = operationInfo(row_.operation);
    const SideLayout& side = *row_.side;
    const QFont optionFont = designFont(FontFace::Songti, 12);

    levelFrame_ = new QGroupBox(QStringLiteral("难度选择"), this);
    levelFrame_->setObjectName(QStringLiteral("Frame2"));
    levelFrame_->setFont(optionFont);
    levelFrame_->setGeometry(twipsRect(side.levelFrame));
    for (int i = 0; i < kLevelOptionCount; ++i) {
        const LevelOption& level = levelOption(row_.operation, i);
        auto* option = new QRadioButton(catalogueText(level.caption), levelFrame_);
        option->setObjectName(catalogueText(levelOptionName(i)));
        option->setFont(optionFont);
        option->setGeometry(twipsRect(QRect(120, side.levelTop + i * side.levelStep, 1500, 375)));
        option->setVisible(level.shown);
        levelOptions_[i] = option;
    }

    typeFrame_ = new QGroupBox(catalogueText(info.numberTypeFrameCaption), this);
    typeFrame_->setObjectName(QStringLiteral("Frame3"));
    typeFrame_->setFont(optionFont);
    typeFrame_->setGeometry(twipsRect(side.typeFrame));
    typeFrame_->setVisible(info.numberTypesShown);
    for (int i = 0; i < int(kAllNumberTypes.size()); ++i) {
        const NumberType type = kAllNumberTypes[i];
        auto* option = new QRadioButton(catalogueText(numberTypeCaption(row_.operation, type)), typeFrame_);
        option->setObjectName(catalogueText(numberTypeOptionName(type)));
        option->setFont(optionFont);
        option->setGeometry(twipsRect(QRect(120, side.typeTops[i], 1500, 375)));
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
        QLabel* operand = makeLabel(this, QStringLiteral("Label9(%1)").arg(i), QString(),
                                    heiti(row_.integerFontPt), Qt::AlignRight | Qt::AlignVCenter, true);
        operand->setGeometry(twipsRect(layout.operands[i]));
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
        QLabel* sign = makeLabel(this, operatorNames[i], catalogueText(info.operatorCaptions[i]), heiti(120),
                                 Qt::AlignCenter, true);
        sign->setGeometry(twipsRect(layout.operators[i]));
        setTextColour(sign, row_.operatorColours[i]);
        operatorLabels_.push_back(sign);
    }

    answerBox_ = new QLineEdit(this);
    answerBox_->setObjectName(QStringLiteral("Text1"));
    answerBox_->setAccessibleName(QStringLiteral("答案"));
    answerBox_->setFont(heiti(row_.integerFontPt));
    answerBox_->setGeometry(twipsRect(QRect(2040, 7800, 7485, 2700)));
    // Only the keys the filter accepts may write here, so no input method
    // composes text in the box.
    answerBox_->setAttribute(Qt::WA_InputMethodEnabled, false);
    answerBox_->installEventFilter(this);

    markLabel_ = makeLabel(this, QStringLiteral("Label9(10)"), QString(), heiti(100), Qt::AlignCenter, true);
    markLabel_->setGeometry(twipsRect(QRect(9600, 8280, 1575, 1935)));
    setTextColour(markLabel_, colorFromBgr(0x0000FF));

    numberLabel_ = makeLabel(this, QStringLiteral("Label4"), QStringLiteral("0"), heiti(120),
                             Qt::AlignRight | Qt::AlignVCenter, true);
    numberLabel_->setGeometry(twipsRect(QRect(12360, 1905, 2535, 2340)));
    setTextColour(numberLabel_, colorFromBgr(0xFF0000));
}

void DrillWindow::buildStopwatch()
{
    struct Part { const char* name; const char* caption; int left; int width; bool digits; };
    const Part parts[5] = {
        {"Label5", nullptr, 10680, 1275, true},
        {"Label6", ":", 11955, 225, false},
        {"Label2", "00", 12180, 1275, true},
        {"Label10", ".", 13455, 225, false},
        {"Label11", "00", 13680, 1275, true},
    };
    for (int i = 0; i < 5; ++i) {
        const Part& part = parts[i];
        const QString caption = part.caption ? QString::fromUtf8(part.caption) : row_.stopwatchMinutesCaption;
        const int top = row_.side->stopwatchTop + (part.digits ? 0 : 360);
        const int height = part.digits ? 1200 : 840;
        QLabel* label = makeLabel(this, QString::fromUtf8(part.name), caption, heiti(part.digits ? 60 : 42),
                                  i == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter, true);
        label->setGeometry(twipsRect(QRect(part.left, top, part.width, height)));
        stopwatchLabels_[i] = label;
    }
}

void DrillWindow::buildButtons()
{
    const SideLayout& side = *row_.side;
    askButton_ = makeButton(this, QStringLiteral("Command1"), QStringLiteral("出 题"),
                            designFont(FontFace::Songti, 21.75, true));
    askButton_->setGeometry(twipsRect(QRect(13080, 9480, 2000, 1000)));
    connect(askButton_, &QPushButton::clicked, this, [this] { askQuestion(); });

    restartButton_ = makeButton(this, QStringLiteral("Command3"), QStringLiteral("再测一次"),
                                designFont(FontFace::Songti, 18, true));
    restartButton_->setGeometry(twipsRect(QRect(10920, 9480, 1935, 1000)));
    connect(restartButton_, &QPushButton::clicked, this, [this] { restartTest(); });

    checkAnswersButton_ = makeButton(this, QStringLiteral("Command18"), QStringLiteral("核对答案"),
                                     designFont(FontFace::Songti, 18));
    checkAnswersButton_->setGeometry(twipsRect(side.checkAnswers));
    checkAnswersButton_->setVisible(row_.mode == Mode::Listening);

    backButton_ = makeButton(this, QStringLiteral("Command2"), QStringLiteral("返 回"),
                             designFont(FontFace::Songti, 18));
    backButton_->setGeometry(twipsRect(side.goBack));
    connect(backButton_, &QPushButton::clicked, this, [this] { accept(); });
}

} // namespace zorvel

// The chooser of 达标测试: presets, a teacher's own test, start and print.
#include "fluency_drill/fluency_chooser.h"
#include "choice_box/choice_box.h"

#include "fluency/scoring.h"
#include "normal_drill/family_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zorvel {

namespace {

// The operation box's entry for additions and subtractions together.
constexpr int kAddSub = -1;

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

FluencyChooser::FluencyChooser(fluency::History* history, TestAction start, TestAction print, QWidget* parent)
    : QDialog(parent), history_(history), start_(std::move(start)), print_(std::move(print))
{
    setObjectName(QStringLiteral("frmFluency"));
    setWindowTitle(QStringLiteral("达标测试"));
    buildControls();
    const QString last = history_ ? history_->lastChoice() : QString();
    choose(fluency::testFromChoice(last).value_or(fluency::presets().front()));
}

void FluencyChooser::buildControls()
{
    QFont font = this->font();
    font.setPointSizeF(12);
    setFont(font);
    auto* tests = new QGroupBox(QStringLiteral("选择测试"), this);
    tests->setObjectName(QStringLiteral("frmTests"));
    auto* testList = new QVBoxLayout(tests);
    // The times tables share one line, each option named by its number.
    QHBoxLayout* tables = nullptr;
    int index = 0;
    for (const fluency::FluencyTest& preset : fluency::presets()) {
        const int table = preset.parts().front().timesTable;
        auto* option = new QRadioButton(table > 0 ? QString::number(table) : preset.description(), tests);
        option->setObjectName(QStringLiteral("optTest%1").arg(index++));
        option->setAccessibleName(preset.description());
        if (table > 0 && !tables) {
            testList->addWidget(new QLabel(QStringLiteral("乘法口诀 %1 题 · %2：")
                                               .arg(preset.questions)
                                               .arg(preset.limitText()),
                                           tests));
            tables = new QHBoxLayout;
            testList->addLayout(tables);
        }
        if (table > 0)
            tables->addWidget(option);
        else
            testList->addWidget(option);
        presetOptions_.push_back(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) { if (on) showChosen(); });
    }
    customOption_ = new QRadioButton(QStringLiteral("自定义"), tests);
    customOption_->setObjectName(QStringLiteral("optCustom"));
    testList->addWidget(customOption_);
    connect(customOption_, &QRadioButton::toggled, this, [this](bool on) { if (on) showChosen(); });

    about_ = new QLabel(this);
    about_->setObjectName(QStringLiteral("lblAbout"));
    about_->setWordWrap(true);
    about_->setMinimumHeight(about_->fontMetrics().lineSpacing() * 4);

    auto* buttons = new QHBoxLayout;
    QPushButton* startButton = makeButton(QStringLiteral("cmdStart"), QStringLiteral("开始测试"), this);
    QPushButton* printButton = makeButton(QStringLiteral("cmdPrint"), QStringLiteral("打印本卷"), this);
    QPushButton* backButton = makeButton(QStringLiteral("cmdBack"), QStringLiteral("返 回"), this);
    buttons->addWidget(startButton);
    buttons->addWidget(printButton);
    buttons->addStretch();
    buttons->addWidget(backButton);
    connect(startButton, &QPushButton::clicked, this, &FluencyChooser::startChosen);
    connect(printButton, &QPushButton::clicked, this, &FluencyChooser::printChosen);
    connect(backButton, &QPushButton::clicked, this, &QDialog::accept);
    printButton->setEnabled(bool(print_));
    // Enter starts the test chosen, wherever the focus is but on another button.
    startButton->setDefault(true);

    auto* page = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(tests);
    choice->addWidget(buildCustomFrame());
    page->addLayout(choice);
    page->addWidget(about_);
    page->addLayout(buttons);
    startButton->setFocus();
}

QGroupBox* FluencyChooser::buildCustomFrame()
{
    customFrame_ = new QGroupBox(QStringLiteral("自定义测试"), this);
    customFrame_->setObjectName(QStringLiteral("frmCustom"));
    auto* form = new QFormLayout(customFrame_);
    operation_ = named(new ChoiceBox(customFrame_), "cboOperation", QStringLiteral("运算"));
    for (Operation op : kAllOperations)
        operation_->addItem(catalogueText(operationInfo(op).name), int(op));
    // Two-number additions and subtractions at random, about half each.
    operation_->insertItem(1, QStringLiteral("加减（两个数，随机）"), kAddSub);
    level_ = named(new ChoiceBox(customFrame_), "cboLevel", QStringLiteral("难度"));
    type_ = named(new ChoiceBox(customFrame_), "cboType", QStringLiteral("类型"));
    questions_ = named(new QSpinBox(customFrame_), "spnQuestions", QStringLiteral("题数"));
    questions_->setRange(fluency::kMinQuestions, fluency::kMaxQuestions);
    questions_->setValue(60);
    questions_->setSuffix(QStringLiteral(" 题"));
    minutes_ = named(new QSpinBox(customFrame_), "spnMinutes", QStringLiteral("限时（分钟）"));
    minutes_->setRange(fluency::kMinLimitMinutes, fluency::kMaxLimitMinutes);
    minutes_->setValue(5);
    minutes_->setSuffix(QStringLiteral(" 分钟"));
    noLimit_ = named(new QCheckBox(QStringLiteral("不限时"), customFrame_), "chkNoLimit", QStringLiteral("不限时"));
    percent_ = named(new QSpinBox(customFrame_), "spnPercent", QStringLiteral("达标正确率"));
    percent_->setRange(1, 100);
    percent_->setValue(fluency::kDefaultPassPercent);
    percent_->setSuffix(QStringLiteral(" %"));
    form->addRow(QStringLiteral("运算："), operation_);
    form->addRow(QStringLiteral("难度："), level_);
    form->addRow(QStringLiteral("类型："), type_);
    form->addRow(QStringLiteral("题数："), questions_);
    form->addRow(QStringLiteral("限时："), minutes_);
    form->addRow(QString(), noLimit_);
    form->addRow(QStringLiteral("达标正确率："), percent_);
    fillLevels();
    connect(operation_, &QComboBox::currentIndexChanged, this, [this] { fillLevels(); showChosen(); });
    for (QComboBox* box : {level_, type_})
        connect(box, &QComboBox::currentIndexChanged, this, &FluencyChooser::showChosen);
    for (QSpinBox* box : {questions_, minutes_, percent_})
        connect(box, &QSpinBox::valueChanged, this, &FluencyChooser::showChosen);
    connect(noLimit_, &QCheckBox::toggled, this, [this](bool on) {
        minutes_->setEnabled(!on);
        showChosen();
    });
    return customFrame_;
}

void FluencyChooser::fillLevels()
{
    const bool addSub = operation_->currentData().toInt() == kAddSub;
    const auto op = addSub ? Operation::Add : static_cast<Operation>(operation_->currentData().toInt());
    const QSignalBlocker levelBlock(level_);
    const QSignalBlocker typeBlock(type_);
    level_->clear();
    for (Level level : offeredLevels(op)) {
        if (addSub && !isLevelShown(Operation::Sub, level))
            continue;
        QString caption = mathText(catalogueText(levelCaption(op, level)));
        level_->addItem(addSub ? caption.replace(QLatin1Char('+'), QStringLiteral("±")) : caption, int(level));
    }
    level_->setCurrentIndex(level_->findData(int(operationInfo(op).defaultLevel)));
    type_->clear();
    for (NumberType type : kAllNumberTypes) {
        if (isNumberTypeOffered(op, type))
            type_->addItem(catalogueText(numberTypeCaption(op, type)).simplified(), int(type));
    }
}

fluency::FluencyTest FluencyChooser::chosenTest() const
{
    for (std::size_t i = 0; i < presetOptions_.size(); ++i) {
        if (presetOptions_[i]->isChecked())
            return fluency::presets()[i];
    }
    if (operation_->currentData().toInt() == kAddSub)
        return fluency::customAddSubTest(static_cast<Level>(level_->currentData().toInt()),
                                         static_cast<NumberType>(type_->currentData().toInt()), questions_->value(),
                                         noLimit_->isChecked() ? 0 : minutes_->value(), percent_->value());
    return fluency::customTest(static_cast<Operation>(operation_->currentData().toInt()),
                               static_cast<Level>(level_->currentData().toInt()),
                               static_cast<NumberType>(type_->currentData().toInt()), questions_->value(),
                               noLimit_->isChecked() ? 0 : minutes_->value(), percent_->value());
}

void FluencyChooser::choose(const fluency::FluencyTest& test)
{
    if (test.isCustom()) {
        operation_->setCurrentIndex(operation_->findData(test.mix.size() > 1 ? kAddSub : int(test.operation)));
        level_->setCurrentIndex(level_->findData(int(test.level)));
        type_->setCurrentIndex(type_->findData(int(test.type)));
        questions_->setValue(test.questions);
        noLimit_->setChecked(!test.timed());
        if (test.timed())
            minutes_->setValue(test.limitSeconds / 60);
        percent_->setValue(test.passPercent);
        customOption_->setChecked(true);
    } else {
        for (std::size_t i = 0; i < presetOptions_.size(); ++i)
            presetOptions_[i]->setChecked(fluency::presets()[i].key == test.key);
    }
    showChosen();
}

void FluencyChooser::showChosen()
{
    customFrame_->setEnabled(customOption_->isChecked());
    const fluency::FluencyTest test = chosenTest();
    QString about = QStringLiteral("%1，%2。\n%3。").arg(test.name, test.limitText(), test.passLineText());
    const std::optional<fluency::PersonalBest> best = history_ ? history_->personalBest(test.choice()) : std::nullopt;
    if (best)
        about += QStringLiteral("\n个人最好：%1 题，用时 %2（%3）")
                     .arg(best->correct)
                     .arg(fluency::minutesSeconds(best->elapsedMs), best->when.toString(QStringLiteral("yyyy-MM-dd")));
    else
        about += QStringLiteral("\n个人最好：还没有");
    about_->setText(about);
}

void FluencyChooser::startChosen()
{
    const fluency::FluencyTest test = chosenTest();
    if (history_)
        history_->rememberChoice(test.choice());
    if (start_)
        start_(test, this);
    showChosen();
}

void FluencyChooser::printChosen()
{
    if (print_)
        print_(chosenTest(), this);
}

} // namespace zorvel

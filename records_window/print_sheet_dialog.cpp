// The choices of a printed question sheet, from the exercise catalogue.
#include "records_window/print_sheet_dialog.h"
#include "choice_box/choice_box.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "design_units/screen_units.h"
#include "records_window/record_controls.h"
#include "records_window/sheet_printing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zorvel::records {

namespace {

constexpr int kMaxDialogCount = 1000;
constexpr int kNormalCount = 100;
constexpr int kListeningCount = 20;
constexpr int kMaxCopies = 60;

template <typename Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setFont(designFont(FontFace::Songti, 12));
    return control;
}

} // namespace

PrintSheetDialog::PrintSheetDialog(const RecordsServices& services, std::function<std::uint64_t()> seed,
                                   QWidget* parent)
    : QDialog(parent), services_(services), seed_(std::move(seed))
{
    setObjectName(QStringLiteral("frmPrintSheet"));
    setWindowTitle(QStringLiteral("打印练习卷"));
    setFont(designFont(FontFace::Songti, 12));
    if (!seed_)
        seed_ = [] { return QRandomGenerator::global()->generate64(); };

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildForm());
    layout->addLayout(buildButtons());
    connect(operation_, qOverload<int>(&QComboBox::currentIndexChanged), this, &PrintSheetDialog::fillLevels);
    // A listening sheet is a test of twenty, as in the listening windows.
    connect(mode_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        count_->setValue(listening() ? kListeningCount : kNormalCount);
        compactKey_->setEnabled(listening());
    });
    compactKey_->setEnabled(false);
    fillLevels();
}

QLayout* PrintSheetDialog::buildForm()
{
    mode_ = named(new ChoiceBox(this), "cboSheetMode");
    mode_->addItem(QStringLiteral("口算：题目印在卷上"), int(Mode::Normal));
    mode_->addItem(QStringLiteral("听算：老师读题，卷上只有题号和横线"), int(Mode::Listening));
    operation_ = named(new ChoiceBox(this), "cboSheetOperation");
    for (Operation op : kAllOperations)
        operation_->addItem(catalogueText(operationInfo(op).name), int(op));
    level_ = named(new ChoiceBox(this), "cboSheetLevel");
    type_ = named(new ChoiceBox(this), "cboSheetType");
    count_ = named(new QSpinBox(this), "spnSheetCount");
    count_->setRange(1, kMaxDialogCount);
    count_->setValue(kNormalCount);
    count_->setSuffix(QStringLiteral(" 道"));
    columns_ = named(new QSpinBox(this), "spnSheetColumns");
    columns_->setRange(0, sheets::kMaxColumns);
    columns_->setSpecialValueText(QStringLiteral("自动（铺满一页）"));
    columns_->setSuffix(QStringLiteral(" 道"));
    answers_ = named(new QCheckBox(QStringLiteral("附答案页（另起一页）"), this), "chkSheetAnswers");
    answers_->setChecked(true);
    compactKey_ = named(new QCheckBox(QStringLiteral("答案紧凑排版（尽量一页）"), this), "chkSheetCompactKey");
    copies_ = named(new QSpinBox(this), "spnSheetCopies");
    copies_->setRange(1, kMaxCopies);
    copies_->setSuffix(QStringLiteral(" 份（答案只印一份）"));
    seedBox_ = named(new QLineEdit(this), "txtSheetSeed");
    seedBox_->setPlaceholderText(QStringLiteral("空着：出新题；填种子：再印同一套题"));
    seedBox_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), seedBox_));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("练习方式："), mode_);
    form->addRow(QStringLiteral("运算："), operation_);
    form->addRow(QStringLiteral("难度："), level_);
    form->addRow(QStringLiteral("数的类型："), type_);
    form->addRow(QStringLiteral("题目数量："), count_);
    form->addRow(QStringLiteral("每行题数："), columns_);
    form->addRow(QString(), answers_);
    form->addRow(QString(), compactKey_);
    form->addRow(QStringLiteral("份数："), copies_);
    form->addRow(QStringLiteral("种子："), seedBox_);
    return form;
}

QLayout* PrintSheetDialog::buildButtons()
{
    QPushButton* preview = makeButton(this, "cmdSheetPreview", QStringLiteral("预览并打印…"), 12);
    QPushButton* save = makeButton(this, "cmdSheetSavePdf", QStringLiteral("保存为PDF…"), 12);
    QPushButton* close = makeButton(this, "cmdSheetClose", QStringLiteral("关 闭"), 12);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(preview);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    connect(preview, &QPushButton::clicked, this, &PrintSheetDialog::preview);
    connect(save, &QPushButton::clicked, this, &PrintSheetDialog::savePdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return buttons;
}

void PrintSheetDialog::fillLevels()
{
    const auto op = Operation(operation_->currentData().toInt());
    const OperationInfo& info = operationInfo(op);
    level_->clear();
    for (Level level : offeredLevels(op))
        level_->addItem(mathText(catalogueText(levelCaption(op, level))), int(level));
    level_->setCurrentIndex(level_->findData(int(info.defaultLevel)));
    type_->clear();
    for (NumberType type : kAllNumberTypes)
        if (isNumberTypeOffered(op, type))
            type_->addItem(catalogueText(numberTypeCaption(op, type)).remove(QLatin1Char(' ')), int(type));
    type_->setEnabled(type_->count() > 1);
}

sheets::Worksheet PrintSheetDialog::worksheet() const
{
    sheets::SheetRequest request;
    request.operation = Operation(operation_->currentData().toInt());
    request.level = Level(level_->currentData().toInt());
    request.type = NumberType(type_->currentData().toInt());
    request.mode = listening() ? Mode::Listening : Mode::Normal;
    request.count = count_->value();
    bool given = false;
    const std::uint64_t typed = seedBox_->text().toULongLong(&given);
    request.seed = given ? typed : seed_();
    sheets::Worksheet sheet = sheets::drawnWorksheet(request);
    sheet.columns = columns_->value();
    sheet.answerKey = answers_->isChecked();
    sheet.compactKey = listening() && compactKey_->isChecked();
    sheet.copies = copies_->value();
    return sheet;
}

bool PrintSheetDialog::listening() const
{
    return Mode(mode_->currentData().toInt()) == Mode::Listening;
}

void PrintSheetDialog::preview()
{
    if (services_.previewSheet)
        services_.previewSheet(this, worksheet());
}

void PrintSheetDialog::savePdf()
{
    saveSheetAsPdf(this, worksheet(), services_.dialogs, services_.today ? services_.today() : QDate::currentDate());
}

} // namespace zorvel::records

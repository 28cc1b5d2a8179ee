// Choosing a group of the mistakes book and printing it.
#include "records_window/mistakes_print_bar.h"
#include "choice_box/choice_box.h"

#include "design_units/screen_units.h"
#include "records_window/record_controls.h"
#include "records_window/record_texts.h"
#include "records_window/sheet_printing.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zorvel::records {

namespace {

bool sameGroup(const Exercise& a, const Exercise& b)
{
    return a.window == b.window && a.levelOption == b.levelOption && a.numberType == b.numberType;
}

} // namespace

std::vector<std::vector<Mistake>> mistakeGroups(const std::vector<Mistake>& mistakes)
{
    std::vector<std::vector<Mistake>> groups;
    for (const Mistake& mistake : mistakes) {
        if (groups.empty() || !sameGroup(groups.back().front().exercise, mistake.exercise))
            groups.emplace_back();
        groups.back().push_back(mistake);
    }
    return groups;
}

MistakesPrintBar::MistakesPrintBar(const RecordsServices& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    auto* label = new QLabel(QStringLiteral("错题卷："), this);
    label->setFont(designFont(FontFace::Songti, 11));
    choice_ = new ChoiceBox(this);
    choice_->setObjectName(QStringLiteral("cboPrintGroup"));
    choice_->setFont(designFont(FontFace::Songti, 11));
    print_ = makeButton(this, "cmdPrintMistakes", QStringLiteral("打印错题卷"), 11);
    print_->setToolTip(QStringLiteral("把这一组错题印成练习卷，后面附答案页"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(choice_, 1);
    layout->addWidget(print_);
    connect(print_, &QPushButton::clicked, this, &MistakesPrintBar::printChosen);
    setGroups({});
}

void MistakesPrintBar::setGroups(const std::vector<std::vector<Mistake>>& groups)
{
    groups_ = groups;
    choice_->clear();
    for (const std::vector<Mistake>& group : groups_) {
        const Exercise& exercise = group.front().exercise;
        choice_->addItem(QStringLiteral("%1 · %2 · %3（%4 题）")
                             .arg(operationText(exercise.operation), levelText(exercise),
                                  numberTypeText(exercise.operation, exercise.numberType),
                                  QString::number(group.size())));
    }
    choice_->setEnabled(!groups_.empty());
    print_->setEnabled(!groups_.empty() && static_cast<bool>(services_.previewSheet));
}

void MistakesPrintBar::printChosen()
{
    const int index = choice_->currentIndex();
    if (index >= 0 && index < int(groups_.size()))
        services_.previewSheet(this, mistakesWorksheet(groups_[std::size_t(index)]));
}

} // namespace zorvel::records

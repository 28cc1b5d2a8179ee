// The mistakes table and the class's retry sheet.
#include "class_window/mistakes_class_tab.h"

#include "class_record/retry_questions.h"
#include "class_window/table_printing.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zorvel::classroom {

namespace {

constexpr int kShown = 100;        // rows in the table and on paper
constexpr int kOnTheSheet = 20;    // mistakes on the retry sheet
const QStringList kCaptions = {QStringLiteral("题目"), QStringLiteral("答案"), QStringLiteral("答错人数"),
                               QStringLiteral("答错次数"), QStringLiteral("答错的学生")};

} // namespace

sheets::Worksheet retryWorksheet(const std::vector<ClassMistake>& mistakes, int count, const QDate& today)
{
    sheets::Worksheet sheet;
    sheet.title = QStringLiteral("错题重练卷 全班");
    sheet.note = today.toString(QStringLiteral("yyyy年M月d日"));
    sheet.answerKey = true;
    for (const RetryQuestion& q : retryQuestions(mistakes, count))
        if (const std::optional<Operation> op = operationFromKey(q.operation.toStdString()))
            sheet.questions.push_back(sheets::sheetQuestion(*op, q.operands, q.answer));
    return sheet;
}

MistakesClassTab::MistakesClassTab(ClassData& data, const ClassServices& services, QWidget* parent)
    : ClassTab(data, services, QStringLiteral("常错题"), parent)
{
    table_ = new QTableWidget(0, kCaptions.size(), this);
    table_->setObjectName(QStringLiteral("tblMistakes"));
    table_->setHorizontalHeaderLabels(kCaptions);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    content()->addWidget(table_);
    auto* sheet = new QPushButton(QStringLiteral("打印错题重练卷"), this);
    sheet->setObjectName(QStringLiteral("cmdRetrySheet"));
    sheet->setToolTip(QStringLiteral("全班最常错的 %1 题，每题再配一道相似的题，附答案").arg(kOnTheSheet));
    buttons()->insertWidget(0, sheet);
    connect(sheet, &QPushButton::clicked, this, [this] {
        loadIfStale();
        services_.records.previewSheet(this, retryWorksheet(rows_, kOnTheSheet, services_.records.today()));
    });
}

void MistakesClassTab::load()
{
    rows_ = data_.mistakes(range());
    const int shown = std::min<int>(kShown, int(rows_.size()));
    table_->setRowCount(shown);
    for (int r = 0; r < shown; ++r) {
        const QStringList fields = mistakeFields(rows_[std::size_t(r)]);
        for (int c = 0; c < fields.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(fields[c]));
    }
    table_->resizeColumnsToContents();
    checkRead();
}

QStringList MistakesClassTab::csvHeader() const
{
    return kMistakeColumns;
}

std::vector<QStringList> MistakesClassTab::csvRows() const
{
    std::vector<QStringList> rows;
    for (const ClassMistake& row : rows_)
        rows.push_back(mistakeFields(row));
    return rows;
}

QString MistakesClassTab::printedHtml() const
{
    std::vector<QStringList> rows = csvRows();
    if (rows.size() > std::size_t(kShown))
        rows.resize(std::size_t(kShown));
    return tableHtml(QStringLiteral("班级汇总：常错题"), rangeText(), kCaptions, rows);
}

} // namespace zorvel::classroom

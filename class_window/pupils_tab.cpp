// The pupils' table: shown as text, sorted by the numbers behind it.
#include "class_window/pupils_tab.h"

#include "class_window/pupil_record_dialog.h"
#include "class_window/table_printing.h"

#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace zorvel::classroom {

namespace {

const QStringList kCaptions = {QStringLiteral("学生"),       QStringLiteral("学号"),       QStringLiteral("测试"),
                               QStringLiteral("天数"),       QStringLiteral("分钟"),       QStringLiteral("题数"),
                               QStringLiteral("正确率 %"),   QStringLiteral("用时中位数 秒"), QStringLiteral("达标测试"),
                               QStringLiteral("已掌握口诀"), QStringLiteral("最近练习")};
constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kPupilRole = Qt::UserRole + 2;

// Sorting by a score would rank the pupils: the header ignores those columns.
class NoRanking final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void sort(int column, Qt::SortOrder order) override
    {
        if (column < 0 || PupilsTab::sortable(column))
            QSortFilterProxyModel::sort(column, order);
    }
};

QList<QStandardItem*> rowItems(const PupilSummary& row)
{
    const QStringList fields = pupilFields(row);
    QList<QStandardItem*> items;
    for (int c = 0; c < fields.size(); ++c) {
        auto* item = new QStandardItem(fields[c]);
        item->setEditable(false);
        bool number = false;
        const double value = fields[c].toDouble(&number);
        item->setData(number ? QVariant(value) : QVariant(fields[c]), kSortRole);
        if (number)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    items.front()->setData(row.id, kPupilRole);
    return items;
}

} // namespace

bool PupilsTab::sortable(int column)
{
    return column <= 5 || column == 10;
}

PupilsTab::PupilsTab(ClassData& data, const ClassServices& services, QWidget* parent)
    : ClassTab(data, services, QStringLiteral("学生"), parent)
{
    model_ = new QStandardItemModel(this);
    model_->setHorizontalHeaderLabels(kCaptions);
    sorted_ = new NoRanking(this);
    sorted_->setSourceModel(model_);
    sorted_->setSortRole(kSortRole);
    sorted_->setSortLocaleAware(true);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tblPupils"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setToolTip(QStringLiteral("点列名按学生、学号或练习的多少排列；不按成绩排名"));
    content()->addWidget(table_);
    auto* hint = new QLabel(QStringLiteral("双击一行（或按回车）看这个学生的成绩和口诀掌握。"), this);
    content()->addWidget(hint);
    connect(table_, &QTableView::activated, this, &PupilsTab::openPupil);
}

void PupilsTab::load()
{
    rows_ = data_.pupils(range());
    model_->removeRows(0, model_->rowCount());
    for (const PupilSummary& row : rows_)
        model_->appendRow(rowItems(row));
    table_->resizeColumnsToContents();
    checkRead();
}

QStringList PupilsTab::csvHeader() const
{
    return kPupilColumns;
}

std::vector<QStringList> PupilsTab::csvRows() const
{
    std::vector<QStringList> rows;
    for (const PupilSummary& row : rows_)
        rows.push_back(pupilFields(row));
    return rows;
}

QString PupilsTab::printedHtml() const
{
    return tableHtml(QStringLiteral("班级汇总：学生"), rangeText(), kCaptions, csvRows());
}

void PupilsTab::openPupil(const QModelIndex& index)
{
    const QModelIndex first = sorted_->mapToSource(index.siblingAtColumn(0));
    const QStandardItem* item = model_->itemFromIndex(first);
    if (!item)
        return;
    PupilRecordDialog dialog(data_, services_, item->data(kPupilRole).toLongLong(), item->text(), this);
    dialog.exec();
}

} // namespace zorvel::classroom

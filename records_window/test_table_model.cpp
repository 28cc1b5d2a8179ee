// Cells, alignment and colours of the 成绩 table.
#include "records_window/test_table_model.h"

#include "records_window/record_texts.h"

#include <QBrush>
#include <QColor>

#include <utility>

namespace zorvel::records {

TestTableModel::TestTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TestTableModel::setRows(std::vector<TestRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QStringList TestTableModel::headers()
{
    return {QStringLiteral("日期时间"), QStringLiteral("窗口"), QStringLiteral("难度"),
            QStringLiteral("类型"), QStringLiteral("题数"), QStringLiteral("错题数"),
            QStringLiteral("用时"), QStringLiteral("结果")};
}

QString TestTableModel::cellText(const TestRow& row, int column)
{
    switch (column) {
    case Started: return row.started.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Window: return windowText(row.exercise);
    case Level: return row.exercise.levelCaption;
    case NumberType: return numberTypeText(row.exercise.operation, row.exercise.numberType);
    case Questions: return QString::number(row.fluency ? row.fluency->questions : row.questions);
    case Wrong: {
        const std::optional<int> wrong = wrongQuestions(row);
        return wrong ? QString::number(*wrong) : QString();
    }
    case Time: return row.fluency ? fluencyTimeText(*row.fluency) : row.time;
    case Ended:
        if (row.fluency)
            return fluencyResultText(*row.fluency);
        if (row.exercise.mode == QLatin1String("practice") && row.ended == TestEnd::Finished)
            return practiceResultText(row);
        // A listening test marked on paper, if at all: nothing to count.
        if (row.ended == TestEnd::Finished && !wrongQuestions(row))
            return QStringLiteral("未批改");
        return row.redo ? endText(row.ended) + QStringLiteral("（重练）") : endText(row.ended);
    }
    return QString();
}

int TestTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TestTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TestTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TestRow& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        // The CSV keeps the window's caption, which scripts read.
        return index.column() == Level ? levelText(row.exercise) : cellText(row, index.column());
    case Qt::TextAlignmentRole:
        if (index.column() >= Questions && index.column() <= Time)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (index.column() == Wrong && wrongQuestions(row).value_or(0) > 0)
            return QBrush(QColor(0xC0, 0, 0));
        if (index.column() == Ended && row.ended != TestEnd::Finished)
            return QBrush(QColor(0x80, 0x80, 0x80));
        return {};
    default:
        return {};
    }
}

QVariant TestTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return headers().value(section);
    return section + 1;
}

} // namespace zorvel::records

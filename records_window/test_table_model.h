// The tests of the 成绩 table as a model over the store's rows: the view asks
// only for the cells it paints, so ten years of tests open at once.
#pragma once

#include "records/record_queries.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace zorvel::records {

class TestTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Started, Window, Level, NumberType, Questions, Wrong, Time, Ended, ColumnCount };

    explicit TestTableModel(QObject* parent = nullptr);

    void setRows(std::vector<TestRow> rows);
    const std::vector<TestRow>& rows() const { return rows_; }

    static QStringList headers();
    // A cell as exported; shown the same but for the level, written as
    // mathematics.
    static QString cellText(const TestRow& row, int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<TestRow> rows_;
};

} // namespace zorvel::records

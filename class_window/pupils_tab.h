// The 学生 tab: one row per pupil (the pupils table), in the class list's
// order; sortable by name, 学号 and how much each practised, never by a
// score. A row (double-click or Enter) opens that pupil's 成绩 and 口诀掌握.
#pragma once

#include "class_window/class_tab.h"

QT_BEGIN_NAMESPACE
class QStandardItemModel;
class QSortFilterProxyModel;
class QTableView;
QT_END_NAMESPACE

namespace zorvel::classroom {

class PupilsTab final : public ClassTab {
    Q_OBJECT
public:
    PupilsTab(ClassData& data, const ClassServices& services, QWidget* parent = nullptr);
    QTableView* table() const { return table_; }
    // The columns a click on the header sorts by.
    static bool sortable(int column);

protected:
    void load() override;
    QStringList csvHeader() const override;
    std::vector<QStringList> csvRows() const override;
    QString printedHtml() const override;

private:
    void openPupil(const QModelIndex& index);

    std::vector<PupilSummary> rows_;
    QStandardItemModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
};

} // namespace zorvel::classroom

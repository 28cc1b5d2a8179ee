// The 口诀热图 tab: the class's grid of the basic facts (heat_grid.h), with
// the hovered or focused cell described under it; its CSV is the facts table.
#pragma once

#include "class_window/class_tab.h"

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE

namespace zorvel::classroom {

class HeatGrid;

class HeatMapTab final : public ClassTab {
    Q_OBJECT
public:
    HeatMapTab(ClassData& data, const ClassServices& services, QWidget* parent = nullptr);
    HeatGrid* grid() const { return grid_; }

protected:
    void load() override;
    QStringList csvHeader() const override;
    std::vector<QStringList> csvRows() const override;
    QString printedHtml() const override;

private:
    std::vector<FactSummary> rows_;
    int classSize_ = 0;
    HeatGrid* grid_ = nullptr;
    QLabel* described_ = nullptr;
};

} // namespace zorvel::classroom

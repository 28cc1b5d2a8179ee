// The 口诀掌握 tab: the shown pupil's plan for today ("今天：20 题，其中新题 5")
// and the grid of the facts in the plan's sets and every set practised.
#pragma once

#include "facts/fact_store.h"

#include <QDate>
#include <QWidget>

#include <functional>

QT_BEGIN_NAMESPACE
class QLabel;
QT_END_NAMESPACE

namespace zorvel::facts {
class FactGrid;
}

namespace zorvel::records {

class FactsTab : public QWidget {
    Q_OBJECT
public:
    FactsTab(facts::FactStore& facts, std::function<QDate()> today, QWidget* parent = nullptr);
    void showPupil(qint64 pupil);
    facts::FactGrid* grid() const { return grid_; }

private:
    facts::FactStore& facts_;
    std::function<QDate()> today_;
    qint64 pupil_ = 0;
    QLabel* plan_ = nullptr;
    facts::FactGrid* grid_ = nullptr;
};

} // namespace zorvel::records

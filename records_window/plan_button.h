// The daily practice plan of the pupil shown, in the pupil line of the records
// window: a button "今日练习设置" whose menu ticks the sets practised (加法,
// 减法, 乘法, 除法) and chooses the speed (宽松, 标准, 严格).
#pragma once

#include "facts/fact_store.h"

#include <QToolButton>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

namespace zorvel::records {

class PlanButton : public QToolButton {
    Q_OBJECT
public:
    PlanButton(facts::FactStore& facts, QWidget* parent = nullptr);
    // Shows the plan of the pupil (the record's id).
    void showPupil(qint64 pupil);
    QAction* setAction(facts::FactSet set) const { return sets_[static_cast<std::size_t>(set)]; }
    QAction* speedAction(facts::Speed speed) const { return speeds_[static_cast<std::size_t>(speed)]; }

signals:
    void planChanged();

private:
    void save();
    bool anySetChosen() const;

    facts::FactStore& facts_;
    qint64 pupil_ = 0;
    std::array<QAction*, 4> sets_{};
    std::array<QAction*, 3> speeds_{};
};

} // namespace zorvel::records

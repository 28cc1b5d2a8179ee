// What a finished session changed: the facts newly mastered, the facts that
// went back to a lower box, and the grid of the plan's sets.
#pragma once

#include "facts/daily_session.h"

#include <QWidget>

class QLabel;

namespace zorvel::facts {

class FactGrid;

// "新掌握：7 × 8、6 × 9" and "退步：3 × 4（回到第 1 盒）" lines; "这次没有新掌握的口诀，
// 也没有退步的。" when nothing changed.
QString sessionChanges(const FactBook& before, const FactBook& after, const std::vector<Fact>& asked);

class SessionResult : public QWidget {
    Q_OBJECT
public:
    explicit SessionResult(QWidget* parent);
    void showResult(const QString& changes, const FactBook& book, const std::vector<FactSet>& sets, Day today);
    FactGrid* grid() const { return grid_; }

private:
    QLabel* changes_ = nullptr;
    FactGrid* grid_ = nullptr;
};

} // namespace zorvel::facts

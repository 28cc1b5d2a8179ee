// The grid of the facts (口诀掌握): one 9 × 9 table per set, rows by the
// first operand a, columns by the second b, each cell coloured by how its
// fact stands (grey never asked, red wrong last time, yellow right but slow,
// light green right but not yet mastered, green mastered). Hovering a cell
// or moving the focus onto it (arrow keys) tells its attempts, median time
// and due date, in a tool tip and on the grid's last line. Painted from a
// copy of the book's states: nothing is read while painting.
#pragma once

#include "facts/fact_book.h"

#include <QWidget>

#include <array>
#include <vector>

namespace zorvel::facts {

class FactGrid : public QWidget {
    Q_OBJECT
public:
    explicit FactGrid(QWidget* parent = nullptr);

    void showBook(const FactBook& book, const std::vector<FactSet>& sets, Day today);
    const std::vector<FactSet>& sets() const { return sets_; }
    // What the cell of the fact says (its tool tip); empty when its set is not shown.
    QString cellDescription(const Fact& fact) const;
    QColor cellColour(const Fact& fact) const;
    // The fact under a point of the widget, if any.
    std::optional<Fact> factAt(const QPoint& point) const;
    // The cell of the fact, in widget coordinates.
    QRect cellRect(const Fact& fact) const;
    QString focusedDescription() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    struct Geometry {
        int cell = 0;
        int columns = 1;
        int tableWidth = 0;
        int tableHeight = 0;
        int legendTop = 0;
    };
    Geometry geometry() const;
    QPoint tableOrigin(int table, const Geometry& g) const;
    void paintTable(QPainter& painter, int table, const Geometry& g) const;
    void paintLegend(QPainter& painter, const Geometry& g) const;
    void moveFocus(int da, int db, int dTable);
    int tableOf(FactSet set) const;

    std::vector<FactSet> sets_;
    std::array<FactState, kFactCount> states_{};
    Day today_ = 0;
    int focusTable_ = 0;
    int focusA_ = 1, focusB_ = 1;
};

} // namespace zorvel::facts

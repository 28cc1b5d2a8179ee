// The 口诀热图: for each set of basic facts a 9 × 9 grid (rows by the first
// operand a, columns by b, as the 口诀掌握 grid), each cell coloured by the
// share of the class that has mastered the fact: red none, yellow half,
// green all; grey when nobody has practised it. Hovering a cell or moving
// the focus onto it (arrow keys; Page Up/Down for the next set) tells how
// many have mastered it and who answered it wrong, in a tool tip and
// through cellDescribed.
#pragma once

#include "class_record/class_tables.h"
#include "facts/fact.h"

#include <QWidget>

#include <array>
#include <optional>

namespace zorvel::classroom {

class HeatGrid final : public QWidget {
    Q_OBJECT
public:
    explicit HeatGrid(QWidget* parent = nullptr);

    void showFacts(const std::vector<FactSummary>& facts, int classSize);
    QString cellDescription(int fact) const;
    static QColor shareColour(std::optional<double> share);
    std::optional<double> masteredShare(int fact) const;
    QRect cellRect(int fact) const;
    QSize sizeHint() const override;

signals:
    void cellDescribed(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int cellSizeIn(int columns) const;
    int tableColumns() const;
    int cellSize() const;
    QPoint tableOrigin(int set) const;
    std::optional<int> factAt(const QPoint& point) const;
    void focusFact(int fact);

    std::array<FactSummary, facts::kFactCount> facts_{};
    int classSize_ = 0;
    int focused_ = 0;
};

} // namespace zorvel::classroom

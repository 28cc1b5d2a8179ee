// Four 9 × 9 tables in two rows, painted from the class's fact rows.
#include "class_window/heat_grid.h"

#include "common/window_texts.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

namespace zorvel::classroom {

namespace {

constexpr int kHeader = 1;  // a row and a column of operands around each table
constexpr int kGap = 2;     // cells between two tables

QString setTitle(facts::FactSet set)
{
    return catalogueText(facts::setName(set));
}

} // namespace

HeatGrid::HeatGrid(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("HeatGrid"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("口诀热图"));
    for (int fact = 0; fact < facts::kFactCount; ++fact)
        facts_[std::size_t(fact)].fact = fact;
}

void HeatGrid::showFacts(const std::vector<FactSummary>& facts, int classSize)
{
    for (int fact = 0; fact < facts::kFactCount; ++fact)
        facts_[std::size_t(fact)] = FactSummary{fact, 0, 0, 0, std::nullopt, {}};
    for (const FactSummary& row : facts)
        if (row.fact >= 0 && row.fact < facts::kFactCount)
            facts_[std::size_t(row.fact)] = row;
    classSize_ = classSize;
    update();
}

std::optional<double> HeatGrid::masteredShare(int fact) const
{
    const FactSummary& row = facts_[std::size_t(fact)];
    if (classSize_ <= 0 || (row.pupilsAsked == 0 && row.pupilsMastered == 0))
        return std::nullopt;
    return double(row.pupilsMastered) / classSize_;
}

QColor HeatGrid::shareColour(std::optional<double> share)
{
    if (!share)
        return QColor(0xd9, 0xd9, 0xd9);
    const double s = std::clamp(*share, 0.0, 1.0);
    // red (none) -> yellow (half) -> green (all)
    const double hue = 120.0 * s;
    return QColor::fromHsvF(hue / 360.0, 0.55, 0.95);
}

QString HeatGrid::cellDescription(int fact) const
{
    const FactSummary& row = facts_[std::size_t(fact)];
    const QString question = QString::fromStdString(facts::Fact::at(fact).withAnswer());
    if (!masteredShare(fact))
        return QStringLiteral("%1：还没有人练过").arg(question);
    QString text = QStringLiteral("%1：全班 %2 人中 %3 人已掌握，%4 人练过").arg(question).arg(classSize_)
                       .arg(row.pupilsMastered).arg(row.pupilsAsked);
    if (row.wrongAnswers == 0)
        return text + QStringLiteral("，没有人答错");
    return text + QStringLiteral("；%1 人答错过（共 %2 次）：%3").arg(row.pupilsWrong.size()).arg(row.wrongAnswers)
                      .arg(row.pupilsWrong.join(QStringLiteral("、")));
}

// The cell size of the tables set in the given number of columns (4 in a
// row, or 2 in two rows).
int HeatGrid::cellSizeIn(int columns) const
{
    const int rows = 4 / columns;
    const int across = columns * (9 + kHeader) + (columns - 1) * kGap;
    const int down = rows * (9 + kHeader + 1) + (rows - 1) * kGap;
    return std::min(width() / across, height() / down);
}

int HeatGrid::tableColumns() const
{
    return cellSizeIn(4) >= cellSizeIn(2) ? 4 : 2;
}

int HeatGrid::cellSize() const
{
    return std::max(12, cellSizeIn(tableColumns()));
}

QPoint HeatGrid::tableOrigin(int set) const
{
    const int cell = cellSize();
    const int columns = tableColumns();
    return {(set % columns) * (9 + kHeader + kGap) * cell, (set / columns) * (9 + kHeader + 1 + kGap) * cell + cell};
}

QRect HeatGrid::cellRect(int fact) const
{
    const facts::Fact f = facts::Fact::at(fact);
    const int cell = cellSize();
    const QPoint origin = tableOrigin(int(f.set));
    return {origin.x() + (kHeader + f.b - 1) * cell, origin.y() + (kHeader + f.a - 1) * cell, cell, cell};
}

std::optional<int> HeatGrid::factAt(const QPoint& point) const
{
    for (int fact = 0; fact < facts::kFactCount; ++fact)
        if (cellRect(fact).contains(point))
            return fact;
    return std::nullopt;
}

QSize HeatGrid::sizeHint() const
{
    return {2 * (9 + kHeader) * 30 + kGap * 30, (2 * (9 + kHeader + 1) + kGap) * 30};
}

void HeatGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int cell = cellSize();
    for (facts::FactSet set : facts::kAllSets) {
        const QPoint origin = tableOrigin(int(set));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(origin.x(), origin.y() - cell, 10 * cell, cell), Qt::AlignLeft | Qt::AlignVCenter, setTitle(set));
        for (int i = 1; i <= 9; ++i) {
            painter.drawText(QRect(origin.x() + i * cell, origin.y(), cell, cell), Qt::AlignCenter, QString::number(i));
            painter.drawText(QRect(origin.x(), origin.y() + i * cell, cell, cell), Qt::AlignCenter, QString::number(i));
        }
    }
    for (int fact = 0; fact < facts::kFactCount; ++fact) {
        const QRect rect = cellRect(fact).adjusted(1, 1, -1, -1);
        painter.fillRect(rect, shareColour(masteredShare(fact)));
        if (fact == focused_ && hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
            painter.drawRect(rect.adjusted(1, 1, -1, -1));
        }
    }
}

bool HeatGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<int> fact = factAt(help->pos())) {
            QToolTip::showText(help->globalPos(), cellDescription(*fact), this, cellRect(*fact));
            emit cellDescribed(cellDescription(*fact));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void HeatGrid::focusFact(int fact)
{
    focused_ = fact;
    const QString text = cellDescription(fact);
    setAccessibleDescription(text);
    emit cellDescribed(text);
    update();
}

void HeatGrid::keyPressEvent(QKeyEvent* event)
{
    const facts::Fact f = facts::Fact::at(focused_);
    int set = int(f.set), a = f.a, b = f.b;
    switch (event->key()) {
    case Qt::Key_Left: b = std::max(1, b - 1); break;
    case Qt::Key_Right: b = std::min(9, b + 1); break;
    case Qt::Key_Up: a = std::max(1, a - 1); break;
    case Qt::Key_Down: a = std::min(9, a + 1); break;
    case Qt::Key_PageUp: set = (set + 3) % 4; break;
    case Qt::Key_PageDown: set = (set + 1) % 4; break;
    default: QWidget::keyPressEvent(event); return;
    }
    focusFact(facts::Fact{facts::kAllSets[std::size_t(set)], a, b}.index());
}

void HeatGrid::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<int> fact = factAt(event->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        focusFact(*fact);
    }
}

void HeatGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focusFact(focused_);
}

} // namespace zorvel::classroom

// Layout, painting and the cell descriptions of the facts' grid.
#include "fact_grid/fact_grid.h"

#include "fact_grid/fact_texts.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace zorvel::facts {

namespace {

constexpr int kCellsPerSide = 10;          // the header row and column, then 1..9
constexpr int kLegendLines = 3;            // the colours (two lines at most), then the focused cell
constexpr Colour kColours[] = {Colour::Grey, Colour::Red, Colour::Yellow, Colour::LightGreen, Colour::Green};

// "乘法（行 a，列 b：a × b）"
QString tableTitle(FactSet set)
{
    static const char* const forms[] = {"a + b", "(a + b) - b", "a × b", "(a × b) ÷ b"};
    return catalogueText(setName(set)) + QStringLiteral("（行 a，列 b：%1）").arg(writtenFact(forms[static_cast<int>(set)]));
}

} // namespace

FactGrid::FactGrid(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("gridFacts"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAccessibleName(QStringLiteral("口诀掌握"));
}

void FactGrid::showBook(const FactBook& book, const std::vector<FactSet>& sets, Day today)
{
    sets_ = sets;
    today_ = today;
    for (int i = 0; i < kFactCount; ++i)
        states_[static_cast<std::size_t>(i)] = book.state(i);
    focusTable_ = std::min(focusTable_, std::max(0, int(sets_.size()) - 1));
    setAccessibleDescription(focusedDescription());
    update();
}

int FactGrid::tableOf(FactSet set) const
{
    const auto it = std::find(sets_.begin(), sets_.end(), set);
    return it == sets_.end() ? -1 : int(it - sets_.begin());
}

QString FactGrid::cellDescription(const Fact& fact) const
{
    if (tableOf(fact.set) < 0)
        return {};
    return describeFact(fact, states_[static_cast<std::size_t>(fact.index())], today_);
}

QColor FactGrid::cellColour(const Fact& fact) const
{
    return gridColour(states_[static_cast<std::size_t>(fact.index())].colour());
}

QString FactGrid::focusedDescription() const
{
    if (sets_.empty())
        return {};
    return cellDescription({sets_[static_cast<std::size_t>(focusTable_)], focusA_, focusB_});
}

FactGrid::Geometry FactGrid::geometry() const
{
    Geometry g;
    const int tables = std::max(1, int(sets_.size()));
    g.columns = tables <= 2 ? tables : 2;
    const int rows = (tables + g.columns - 1) / g.columns;
    const int line = fontMetrics().height() + 4;
    // Each table: a title line, the cells, and a gap of half a cell.
    const int byWidth = width() / (g.columns * kCellsPerSide + g.columns);
    const int byHeight = (height() - kLegendLines * line - rows * line) / (rows * kCellsPerSide + rows);
    g.cell = std::max(8, std::min(byWidth, byHeight));
    g.tableWidth = g.cell * kCellsPerSide;
    g.tableHeight = line + g.cell * kCellsPerSide;
    g.legendTop = rows * (g.tableHeight + g.cell);
    return g;
}

QPoint FactGrid::tableOrigin(int table, const Geometry& g) const
{
    const int used = g.columns * g.tableWidth + (g.columns - 1) * g.cell;
    const int left = std::max(0, (width() - used) / 2);
    return {left + (table % g.columns) * (g.tableWidth + g.cell), (table / g.columns) * (g.tableHeight + g.cell)};
}

QRect FactGrid::cellRect(const Fact& fact) const
{
    const int table = tableOf(fact.set);
    if (table < 0)
        return {};
    const Geometry g = geometry();
    const QPoint origin = tableOrigin(table, g) + QPoint(0, g.tableHeight - g.cell * kCellsPerSide);
    return {origin.x() + fact.b * g.cell, origin.y() + fact.a * g.cell, g.cell, g.cell};
}

std::optional<Fact> FactGrid::factAt(const QPoint& point) const
{
    for (FactSet set : sets_) {
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                if (cellRect({set, a, b}).contains(point))
                    return Fact{set, a, b};
    }
    return std::nullopt;
}

void FactGrid::paintTable(QPainter& painter, int table, const Geometry& g) const
{
    const FactSet set = sets_[static_cast<std::size_t>(table)];
    const QPoint origin = tableOrigin(table, g);
    const int line = g.tableHeight - g.cell * kCellsPerSide;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(origin.x(), origin.y(), g.tableWidth, line), Qt::AlignCenter, tableTitle(set));
    const int top = origin.y() + line;
    painter.drawText(QRect(origin.x(), top, g.cell, g.cell), Qt::AlignCenter, writtenFact(setSign(set)));
    for (int i = 1; i <= 9; ++i) {
        painter.drawText(QRect(origin.x() + i * g.cell, top, g.cell, g.cell), Qt::AlignCenter, QString::number(i));
        painter.drawText(QRect(origin.x(), top + i * g.cell, g.cell, g.cell), Qt::AlignCenter, QString::number(i));
    }
    const bool focused = hasFocus() && table == focusTable_;
    for (int a = 1; a <= 9; ++a) {
        for (int b = 1; b <= 9; ++b) {
            const Fact fact{set, a, b};
            const QRect cell(origin.x() + b * g.cell, top + a * g.cell, g.cell, g.cell);
            const Colour colour = states_[static_cast<std::size_t>(fact.index())].colour();
            painter.fillRect(cell.adjusted(1, 1, -1, -1), gridColour(colour));
            painter.setPen(colour == Colour::Green || colour == Colour::Red ? Qt::white : Qt::black);
            painter.drawText(cell, Qt::AlignCenter, QString::number(fact.answer()));
            if (focused && a == focusA_ && b == focusB_) {
                painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
                painter.drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }
    }
}

void FactGrid::paintLegend(QPainter& painter, const Geometry& g) const
{
    const int line = fontMetrics().height() + 4;
    const int left = tableOrigin(0, g).x();
    int x = left;
    int top = g.legendTop;
    painter.setPen(palette().color(QPalette::WindowText));
    for (Colour colour : kColours) {
        const QString meaning = colourMeaning(colour);
        const int textWidth = fontMetrics().horizontalAdvance(meaning);
        if (x > left && x + line + textWidth > width()) {
            x = left;
            top += line;
        }
        painter.fillRect(QRect(x, top + 3, line - 6, line - 6), gridColour(colour));
        x += line;
        painter.drawText(QRect(x, top, textWidth, line), Qt::AlignVCenter, meaning);
        x += textWidth + line;
    }
    if (hasFocus())
        painter.drawText(QRect(left, top + line, width() - left, line), Qt::AlignVCenter, focusedDescription());
}

void FactGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (sets_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("还没有选择要练习的口诀"));
        return;
    }
    const Geometry g = geometry();
    for (int table = 0; table < int(sets_.size()); ++table)
        paintTable(painter, table, g);
    paintLegend(painter, g);
}

bool FactGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<Fact> fact = factAt(help->pos()))
            QToolTip::showText(help->globalPos(), cellDescription(*fact), this, cellRect(*fact));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void FactGrid::moveFocus(int da, int db, int dTable)
{
    if (sets_.empty())
        return;
    focusA_ = std::clamp(focusA_ + da, 1, 9);
    focusB_ = std::clamp(focusB_ + db, 1, 9);
    focusTable_ = std::clamp(focusTable_ + dTable, 0, int(sets_.size()) - 1);
    setAccessibleDescription(focusedDescription());
    update();
}

void FactGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: moveFocus(-1, 0, 0); break;
    case Qt::Key_Down: moveFocus(1, 0, 0); break;
    case Qt::Key_Left: moveFocus(0, -1, 0); break;
    case Qt::Key_Right: moveFocus(0, 1, 0); break;
    case Qt::Key_PageUp: moveFocus(0, 0, -1); break;
    case Qt::Key_PageDown: moveFocus(0, 0, 1); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void FactGrid::mousePressEvent(QMouseEvent* event)
{
    if (const std::optional<Fact> fact = factAt(event->position().toPoint())) {
        focusTable_ = tableOf(fact->set);
        focusA_ = fact->a;
        focusB_ = fact->b;
        setFocus(Qt::MouseFocusReason);
        moveFocus(0, 0, 0);
    }
    QWidget::mousePressEvent(event);
}

void FactGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    setAccessibleDescription(focusedDescription());
    update();
}

QSize FactGrid::sizeHint() const
{
    return {560, 520};
}

QSize FactGrid::minimumSizeHint() const
{
    return {240, 240};
}

} // namespace zorvel::facts

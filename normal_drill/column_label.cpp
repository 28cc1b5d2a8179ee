// Painting digits centred on their own height.
#include "normal_drill/column_label.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPainter>

#include <cmath>

namespace zorvel {

namespace {

const QString kDigits = QStringLiteral("0123456789");

} // namespace

void ColumnLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QString content = text();
    if (content.isEmpty())
        return;
    const qreal padding = frameWidth() > 0 ? height() * 0.04 : 0.0;
    const QRectF area = QRectF(contentsRect()).adjusted(padding, 0, -padding, 0);
    const QFontMetricsF metrics(font());
    const qreal advance = metrics.horizontalAdvance(content);
    // Too wide a text is narrowed, never lowered, so it keeps its height.
    const qreal squeeze = advance > area.width() ? area.width() / advance : 1.0;
    const QRectF glyphs = metrics.tightBoundingRect(kDigits).united(metrics.tightBoundingRect(content));
    const qreal baseline = area.center().y() - glyphs.center().y();
    qreal x = area.left();
    if (alignment() & Qt::AlignRight)
        x = area.right() - advance * squeeze;
    else if (alignment() & Qt::AlignHCenter)
        x = area.center().x() - advance * squeeze / 2;
    painter.translate(x, baseline);
    painter.scale(squeeze, 1.0);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(0, 0), content);
}

void centreDigitsVertically(QLineEdit* box)
{
    box->setTextMargins(0, 0, 0, 0);
    const QFontMetricsF metrics(box->font());
    const QRectF digits = metrics.tightBoundingRect(kDigits);
    const int frame = 2;
    const qreal inner = box->height() - 2 * frame;
    const qreal lineTop = frame + std::floor((inner - metrics.height() + 1) / 2);
    const qreal baselineNow = lineTop + metrics.ascent();
    const qreal baselineWanted = box->height() / 2.0 - digits.center().y();
    const int shift = static_cast<int>(std::lround(baselineWanted - baselineNow));
    // Centred text moves by half of what the top margin takes away, and the
    // clip keeps the whole box.
    box->setTextMargins(0, 2 * shift, 0, 0);
}

} // namespace zorvel

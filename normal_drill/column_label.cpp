// Painting digits centred on their own height, inside a plain dark border.
#include "normal_drill/column_label.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace zorvel {

namespace {

const QString kDigits = QStringLiteral("0123456789");

// One character drawn once at its size and colour; glyphs this large would
// otherwise be filled as outlines at every repaint.
struct CachedGlyph {
    QPixmap pixmap;
    QPointF offset;  // from the pen position on the baseline
    qreal advance = 0;
};

const CachedGlyph& cachedGlyph(const QFont& font, const QColor& colour, QChar c, qreal ratio)
{
    static QHash<QString, CachedGlyph> cache;
    const QString key = font.key() + QLatin1Char('|') + QString::number(colour.rgba(), 16)
        + QLatin1Char('|') + QString::number(ratio) + QLatin1Char('|') + c;
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    const QFontMetricsF metrics(font);
    const QString text(c);
    const QRectF box = metrics.tightBoundingRect(text).adjusted(-2, -2, 2, 2);
    CachedGlyph glyph;
    glyph.advance = metrics.horizontalAdvance(text);
    glyph.offset = box.topLeft();
    glyph.pixmap = QPixmap((box.size() * ratio).toSize() + QSize(1, 1));
    glyph.pixmap.setDevicePixelRatio(ratio);
    glyph.pixmap.fill(Qt::transparent);
    QPainter painter(&glyph.pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(-box.topLeft(), text);
    return *cache.insert(key, glyph);
}

} // namespace

void ColumnLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (frameWidth() > 0) {
        // A thin dark border, whatever the colour of the digits inside.
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QString content = text();
    if (content.isEmpty())
        return;
    const qreal padding = frameWidth() > 0 ? height() * 0.04 : 0.0;
    const QRectF area = QRectF(contentsRect()).adjusted(padding, 0, -padding, 0);
    const QFontMetricsF metrics(font());
    const QColor colour = palette().color(foregroundRole());
    const qreal ratio = devicePixelRatioF();
    qreal advance = 0;
    for (QChar c : content)
        advance += cachedGlyph(font(), colour, c, ratio).advance;
    // Too wide a number is narrowed, so that it keeps its height; a single
    // sign is made smaller, so that it keeps its shape.
    const qreal squeeze = advance > area.width() ? area.width() / advance : 1.0;
    const qreal shrink = content.size() == 1 ? squeeze : 1.0;
    const QRectF glyphs = metrics.tightBoundingRect(kDigits).united(metrics.tightBoundingRect(content));
    const qreal baseline = area.center().y() - glyphs.center().y() * shrink;
    qreal x = area.left();
    if (alignment() & Qt::AlignRight)
        x = area.right() - advance * squeeze;
    else if (alignment() & Qt::AlignHCenter)
        x = area.center().x() - advance * squeeze / 2;
    painter.translate(x, baseline);
    painter.scale(squeeze, shrink);
    qreal pen = 0;
    for (QChar c : content) {
        const CachedGlyph& glyph = cachedGlyph(font(), colour, c, ratio);
        painter.drawPixmap(QPointF(pen, 0) + glyph.offset, glyph.pixmap);
        pen += glyph.advance;
    }
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

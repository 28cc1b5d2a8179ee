// Painting digits centred on their own height, inside a plain dark border.
#include "normal_drill/column_label.h"

#include <QCache>
#include <QFontMetricsF>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <vector>

namespace zorvel {

namespace {

const QString kDigits = QStringLiteral("0123456789");

// One character drawn once at its size and colour; glyphs this large would
// otherwise be filled as outlines at every repaint. The pictures live in Qt's
// bounded pixmap cache, where and how far they reach in a small bounded cache
// of their own.
struct GlyphPlace {
    QPointF offset;  // from the pen position on the baseline
    qreal advance = 0;
};

struct Glyph {
    QPixmap pixmap;
    GlyphPlace place;
};

// fontKey: font.key(), worked out once per paint rather than per character.
GlyphPlace placeFor(const QFont& font, const QString& fontKey, QChar c)
{
    static QCache<QString, GlyphPlace> places(4096);
    const QString key = fontKey + QLatin1Char('|') + c;
    if (const GlyphPlace* known = places.object(key))
        return *known;
    const QFontMetricsF metrics(font);
    auto* place = new GlyphPlace{metrics.tightBoundingRect(QString(c)).topLeft() - QPointF(2, 2),
                                 metrics.horizontalAdvance(c)};
    const GlyphPlace copy = *place;
    places.insert(key, place);
    return copy;
}

// The key of a glyph picture without its character: font, colour and pixel ratio.
QString pictureKeyStart(const QString& fontKey, const QColor& colour, qreal ratio)
{
    return QStringLiteral("zorvel-glyph|") + fontKey + QLatin1Char('|') + QString::number(colour.rgba(), 16)
        + QLatin1Char('|') + QString::number(ratio) + QLatin1Char('|');
}

Glyph glyphFor(const QFont& font, const QString& fontKey, const QString& keyStart, const QColor& colour, QChar c,
               qreal ratio)
{
    Glyph glyph{QPixmap(), placeFor(font, fontKey, c)};
    const QString key = keyStart + c;
    if (QPixmapCache::find(key, &glyph.pixmap))
        return glyph;
    const QRectF box = QFontMetricsF(font).tightBoundingRect(QString(c)).adjusted(-2, -2, 2, 2);
    glyph.pixmap = QPixmap((box.size() * ratio).toSize() + QSize(1, 1));
    glyph.pixmap.setDevicePixelRatio(ratio);
    glyph.pixmap.fill(Qt::transparent);
    QPainter painter(&glyph.pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(-box.topLeft(), QString(c));
    painter.end();
    QPixmapCache::insert(key, glyph.pixmap);
    return glyph;
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
    const QString fontKey = font().key();
    const QString keyStart = pictureKeyStart(fontKey, colour, ratio);
    std::vector<Glyph> glyphs;
    glyphs.reserve(std::size_t(content.size()));
    qreal advance = 0;
    for (QChar c : content) {
        glyphs.push_back(glyphFor(font(), fontKey, keyStart, colour, c, ratio));
        advance += glyphs.back().place.advance;
    }
    // Too wide a text is drawn smaller, never narrower.
    const qreal shrink = advance > area.width() ? area.width() / advance : 1.0;
    const QRectF inked = metrics.tightBoundingRect(kDigits).united(metrics.tightBoundingRect(content));
    const qreal baseline = area.center().y() - inked.center().y() * shrink;
    qreal x = area.left();
    if (alignment() & Qt::AlignRight)
        x = area.right() - advance * shrink;
    else if (alignment() & Qt::AlignHCenter)
        x = area.center().x() - advance * shrink / 2;
    painter.translate(x, baseline);
    painter.scale(shrink, shrink);
    if (shrink != 1.0)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    qreal pen = 0;
    for (const Glyph& glyph : glyphs) {
        painter.drawPixmap(QPointF(pen, 0) + glyph.place.offset, glyph.pixmap);
        pen += glyph.place.advance;
    }
}

} // namespace zorvel

// Twips to pixels, the designed font faces, and blue-green-red colours.
#include "design_units/screen_units.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace zorvel {

qreal screenDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 0.0;
    return dpi > 0.0 ? dpi : 96.0;
}

int twipsToPixels(int twips, qreal scale)
{
    return static_cast<int>(std::lround(twips * screenDpi() * scale / 1440.0));
}

QRect twipsRect(int left, int top, int width, int height, qreal scale)
{
    // Convert the edges, not the sizes, so that neighbouring controls meet.
    const int x0 = twipsToPixels(left, scale);
    const int y0 = twipsToPixels(top, scale);
    return QRect(x0, y0, twipsToPixels(left + width, scale) - x0, twipsToPixels(top + height, scale) - y0);
}

QRect twipsRect(const QRect& twips, qreal scale)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height(), scale);
}

QSize twipsSize(int width, int height, qreal scale)
{
    return QSize(twipsToPixels(width, scale), twipsToPixels(height, scale));
}

// The installed faces that stand for each designed one, best first, named
// directly: a name that is not installed (such as "黑体" itself) would cost
// Qt a fontconfig fallback search for every face and weight, the largest
// part of painting the first window. 黑体 is the monospaced Noto face, for its
// half-width digits of one width. The later names serve printed sheets on
// systems without the Noto faces.
QStringList designFamilies(FontFace face)
{
    switch (face) {
    case FontFace::Heiti:
        return {QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Zen Hei")};
    case FontFace::Songti:
        return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")};
    case FontFace::Arial:
        return {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    }
    return {};
}

QFont designFont(FontFace face, qreal pointSize, bool bold)
{
    // The first face only: a list of families makes Qt ask fontconfig for
    // the fallbacks of each, a tenth of the menu's start. When it is missing,
    // fontconfig's own fallback for Chinese text takes its place.
    QFont font(designFamilies(face).front());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Chinese, digits and Latin need no shaping, so Qt maps characters to
    // glyphs directly instead of reading each font's layout tables for every
    // size; scripts that need shaping are still shaped.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
    return font;
}

QFont printFont(FontFace face, qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies(designFamilies(face));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont scaledFont(QFont font, qreal scale)
{
    if (scale != 1.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

QColor colorFromBgr(unsigned bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QString keptTogether(const QString& text)
{
    static const QString breaksAfter = QStringLiteral("，、：。；\n");
    constexpr QChar kWordJoiner(0x2060);
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i > 0 && c != QLatin1Char('\n') && !c.isLowSurrogate() && !breaksAfter.contains(text[i - 1]))
            kept += kWordJoiner;
        kept += c == QLatin1Char(' ') ? QChar(QChar::Nbsp) : c;
    }
    return kept;
}

} // namespace zorvel

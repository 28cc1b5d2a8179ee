// Twips to pixels, the designed font faces, and blue-green-red colours.
#include "normal_drill/screen_units.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

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

static QString familyName(FontFace face)
{
    switch (face) {
    case FontFace::Heiti: return QStringLiteral("黑体");
    case FontFace::Songti: return QStringLiteral("宋体");
    case FontFace::Arial: return QStringLiteral("Arial");
    }
    return QString();
}

void installFontSubstitutions()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // 黑体 has half-width digits of one width, as the monospaced Noto face.
    QFont::insertSubstitutions(QStringLiteral("黑体"),
        {QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
         QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Droid Sans Fallback")});
    QFont::insertSubstitutions(QStringLiteral("宋体"),
        {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Source Han Serif SC"),
         QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
         QStringLiteral("Noto Sans CJK SC")});
}

QFont designFont(FontFace face, qreal pointSize, bool bold)
{
    installFontSubstitutions();
    QFont font(familyName(face));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
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

} // namespace zorvel

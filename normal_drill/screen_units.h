// Where design units meet the screen: geometry is designed in twips (1440 to
// the inch) and scaled with the screen's DPI here and nowhere else; the
// designed font faces (黑体, 宋体, Arial) map to the installed CJK fonts here.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

namespace zorvel {

// Pixels per inch used for twips; the primary screen's logical DPI (96 when
// there is no screen yet).
qreal screenDpi();
int twipsToPixels(int twips);
QRect twipsRect(int left, int top, int width, int height);
QRect twipsRect(const QRect& twips);
QSize twipsSize(int width, int height);

enum class FontFace { Heiti /* 黑体 */, Songti /* 宋体 */, Arial };

// Registers the substitutions of the designed faces; call once after the
// QApplication exists (designFont calls it too).
void installFontSubstitutions();
QFont designFont(FontFace face, qreal pointSize, bool bold = false);

// A colour written as the platform's blue-green-red number (&HBBGGRR).
QColor colorFromBgr(unsigned bgr);

} // namespace zorvel

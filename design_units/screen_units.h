// Where design units meet a device: geometry is designed in twips (1440 to
// the inch) and scaled with the screen's DPI here and nowhere else; the
// designed font faces (黑体, 宋体, Arial) map to the installed fonts here, for
// the windows and the printed sheets alike.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace zorvel {

// Pixels per inch used for twips; the primary screen's logical DPI (96 when
// there is no screen yet).
qreal screenDpi();
// The one twips conversion. scale enlarges or reduces the designed size of a
// whole window (1 at the designed size).
int twipsToPixels(int twips, qreal scale = 1.0);
QRect twipsRect(int left, int top, int width, int height, qreal scale = 1.0);
QRect twipsRect(const QRect& twips, qreal scale = 1.0);
QSize twipsSize(int width, int height, qreal scale = 1.0);

enum class FontFace { Heiti /* 黑体 */, Songti /* 宋体 */, Arial };

// The installed families of a designed face, best first.
QStringList designFamilies(FontFace face);
// The designed face at pointSize on the screen: its first installed family.
QFont designFont(FontFace face, qreal pointSize, bool bold = false);
// The same face for a printed page, with every family of the list, so that a
// sheet prints in a Chinese face wherever it is made.
QFont printFont(FontFace face, qreal pointSize, bool bold = false);
// font at scale times its point size.
QFont scaledFont(QFont font, qreal scale);

// A colour written as the platform's blue-green-red number (&HBBGGRR).
QColor colorFromBgr(unsigned bgr);

// The text for a narrow column that wraps, with a line break allowed only
// after "，", "、", "：", "。" or "；" (and at its own line breaks): "正确率 ≥ 90 %"
// or "4 × 3 = 12" is never split, and a list of facts breaks between facts.
QString keptTogether(const QString& text);

} // namespace zorvel

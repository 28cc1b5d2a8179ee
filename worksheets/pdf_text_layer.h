// The text a reader copies or searches in a sheet's PDF. Qt's PDF writer
// names each glyph in a font's ToUnicode map by the lowest code point the font
// gives that glyph, and the CJK faces draw 口 and the Kangxi radical ⼝
// (U+2F1D), 日 and ⽇, 页 and ⻚ with one glyph each (the space and the tab
// too): "口算练习" would read "⼝算练习" and a search for "口算" find nothing.
// Here each such entry names instead the character the sheet drew.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

namespace zorvel::sheets {

// Rewrites, in place and byte for byte the same length, every entry of the
// PDF's ToUnicode maps that names a character not in `drawn` but sharing its
// glyph, in one of the fonts, with one that is.
void nameDrawnCharacters(QByteArray& pdf, const QString& drawn, const QList<QFont>& fonts);

} // namespace zorvel::sheets

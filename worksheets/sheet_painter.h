// The one layout of a printed question sheet, on any paged device: A4
// portrait, a title, the header to fill in (姓名, 日期, 用时, 得分), the
// questions numbered row by row in columns with room after "=", a page
// number on every page, and the answer pages in the same layout with the
// answers filled in. A listening sheet gives the pupil numbered blanks and
// the teacher every question with its answer.
//
// Layout is worked out in points from the fonts' own metrics, so the same
// sheet has the same pages on a PDF writer, a printer and the preview.
#pragma once

#include "worksheets/worksheet.h"

#include <QFont>
#include <QList>
#include <QSizeF>

QT_BEGIN_NAMESPACE
class QPagedPaintDevice;
QT_END_NAMESPACE

namespace zorvel::sheets {

struct SheetLayout {
    int columns = 1;
    int rowsPerPage = 1;
    int sheetPages = 1;       // pages of questions (the pupil's blanks when listening)
    int keyPages = 0;         // answer pages (the teacher's sheet when listening), printed once
    int copies = 1;           // the pupils' pages are printed this many times
    qreal rowHeight = 27;     // points: the rows of a page share its height
    qreal fontScale = 1;      // below 1 when the columns need smaller print, above on a short sheet
    qreal labelWidth = 0;     // points, at fontScale
    qreal questionWidth = 0;
    int perPage() const { return columns * rowsPerPage; }
    int pageCount() const { return sheetPages * copies + keyPages; }
};

// The page's printable area inside the sheet's margins, in points.
QSizeF a4ContentSize();
// The layout of the sheet on a content area of that size (points). Without
// chosen columns: the fewest pages with print of 12 points or more, at the
// largest size that gives them.
SheetLayout layoutSheet(const Worksheet& sheet, QSizeF contentPoints = a4ContentSize());
// The layout of a compact key: as many columns as 9-point print allows.
SheetLayout layoutSheet(const Worksheet& sheet, QSizeF contentPoints, bool compactKey);

// The most questions one page of questions holds, at any column count: a
// drawn sheet keeps that many apart without repeats.
int largestSheetPage();

// The fonts of a sheet: 黑体 for questions and title, 宋体 for the header,
// mapped to the installed CJK faces as the program maps them.
QFont sheetFont(bool heiti, qreal pointSize, bool bold = false);

// Sets A4 portrait and the sheet's margins on the device.
void prepareDevice(QPagedPaintDevice& device);
// The faces a sheet is painted in (黑体, its bold, 宋体), at any size.
QList<QFont> sheetFaces();

// Paints every page of the sheet on a device already prepared; false when
// the device could not be painted on. `drawn`, if given, receives every
// character painted, once each.
bool paintSheet(const Worksheet& sheet, QPagedPaintDevice& device, QString* drawn = nullptr);

} // namespace zorvel::sheets

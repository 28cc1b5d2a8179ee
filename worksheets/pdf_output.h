// A worksheet as a PDF file: Qt's PDF writer with the fonts embedded and a text
// layer that reads as the sheet was written (pdf_text_layer.h), into
// a QSaveFile, so that an existing file is replaced only by a whole sheet.
#pragma once

#include "worksheets/worksheet.h"

#include <QString>

QT_BEGIN_NAMESPACE
class QIODevice;
QT_END_NAMESPACE

namespace zorvel::sheets {

// Writes the sheet as PDF to an open device; false when the writer failed.
bool writeSheetPdf(const Worksheet& sheet, QIODevice& out);

// Writes the sheet to path through a temporary file renamed into place.
// Empty on success; otherwise the reason (in Chinese), and the file
// at path is as it was.
QString saveSheetPdf(const Worksheet& sheet, const QString& path);

} // namespace zorvel::sheets

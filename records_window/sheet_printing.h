// Question sheets from the records window: the worksheet of a group of the
// mistakes book, Qt's print preview (with 打印 and the system's printers)
// as the default way to paper, and "保存为PDF" through the window's dialogs.
#pragma once

#include "records/record_queries.h"
#include "records_window/records_services.h"
#include "worksheets/worksheet.h"

#include <vector>

namespace zorvel::records {

// The mistakes of one group (one window, level and type) as a sheet with
// its answer pages, titled "错题练习 加法 2位 + 1位 整数".
sheets::Worksheet mistakesWorksheet(const std::vector<Mistake>& group);

// Qt's print preview of the sheet on an A4 printer; returns when it closes.
void previewWithPrintDialog(QWidget* parent, const sheets::Worksheet& sheet);

// Where "保存为PDF" suggests to save a sheet: in the folder, named by the
// title (operation, level, type) and the day, "口算练习 加法 2位 + 1位 整数
// 2026-12-07.pdf", with "（2）", "（3）"… added when that file exists.
QString suggestedPdfPath(const QString& folder, const QString& title, QDate today);

// Asks where to save (the suggested name in the home folder), writes the PDF
// whole, and says where it was saved or why it could not be.
void saveSheetAsPdf(QWidget* parent, const sheets::Worksheet& sheet, const RecordsDialogs& dialogs, QDate today);

} // namespace zorvel::records

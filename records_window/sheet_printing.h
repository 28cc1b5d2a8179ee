// Question sheets from the records window: the worksheet of a group of the
// mistakes book, Qt's print preview (with 打印 and the system's printers)
// as the default way to paper, and "保存为PDF" through the window's dialogs.
#pragma once

#include "records/record_store.h"
#include "records_window/records_services.h"
#include "worksheets/worksheet.h"

#include <vector>

namespace zorvel::records {

// The mistakes of one group (one window, level and type) as a sheet with
// its answer pages, titled "错题练习 加法 2位 + 1位 整数".
sheets::Worksheet mistakesWorksheet(const std::vector<Mistake>& group);

// Qt's print preview of the sheet on an A4 printer; returns when it closes.
void previewWithPrintDialog(QWidget* parent, const sheets::Worksheet& sheet);

// Asks where to save (a name from the title), writes the PDF whole, and
// tells the user when it could not be written.
void saveSheetAsPdf(QWidget* parent, const sheets::Worksheet& sheet, const RecordsDialogs& dialogs);

} // namespace zorvel::records

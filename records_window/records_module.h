// The records window's module: the one function shell/ looks up in it at the
// first click of "学习记录". The records window, its chart (Qt Charts) and its
// printing (Qt Print Support, worksheets/) are built into this module, so
// that the program starts without them; tests link the library directly.
#pragma once

#include "records/pupil_register.h"
#include "records/record_queries.h"
#include "records_window/records_services.h"

class QDialog;
class QWidget;

namespace zorvel::sheets {
struct Worksheet;
}

namespace zorvel::records {

// The module's file name without its directory, prefix or suffix.
inline constexpr char kRecordsModule[] = "zorvel-records-window";
inline constexpr char kCreateRecordsWindowFunction[] = "zorvelCreateRecordsWindow";

// Returns a new window the caller owns, as createRecordsWindow() makes it.
using CreateRecordsWindowFunction = QDialog* (*)(PupilRegister& pupils, RecordQueries& queries,
                                                 const RedoOpener& openRedo, facts::FactStore* facts,
                                                 const PupilExporter& exportPupil, SchoolServerSetup* schoolServer);

// The print preview of a worksheet (打印 and the system's printers), for the
// sheets printed outside the records window; returns when it closes.
inline constexpr char kPreviewWorksheetFunction[] = "zorvelPreviewWorksheet";
using PreviewWorksheetFunction = void (*)(QWidget* parent, const sheets::Worksheet& sheet);

} // namespace zorvel::records

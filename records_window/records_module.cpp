// The entry point of the records window's module.
#include "records_window/records_module.h"

#include "records_window/records_window.h"
#include "records_window/sheet_printing.h"

extern "C" Q_DECL_EXPORT QDialog* zorvelCreateRecordsWindow(zorvel::records::PupilRegister& pupils,
                                                            zorvel::records::RecordQueries& queries,
                                                            const zorvel::records::RedoOpener& openRedo,
                                                            zorvel::facts::FactStore* facts,
                                                            const zorvel::records::PupilExporter& exportPupil,
                                                            zorvel::records::SchoolServerSetup* schoolServer)
{
    return zorvel::records::createRecordsWindow(pupils, queries, openRedo, facts, exportPupil, schoolServer).release();
}

extern "C" Q_DECL_EXPORT void zorvelPreviewWorksheet(QWidget* parent, const zorvel::sheets::Worksheet& sheet)
{
    zorvel::records::previewWithPrintDialog(parent, sheet);
}

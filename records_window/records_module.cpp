// The entry point of the records window's module.
#include "records_window/records_module.h"

#include "records_window/records_window.h"

extern "C" Q_DECL_EXPORT QDialog* zorvelCreateRecordsWindow(zorvel::records::PupilRegister& pupils,
                                                            zorvel::records::RecordQueries& queries,
                                                            const zorvel::records::RedoOpener& openRedo,
                                                            zorvel::facts::FactStore* facts)
{
    return zorvel::records::createRecordsWindow(pupils, queries, openRedo, facts).release();
}

// The entry point of the records window's module.
#include "records_window/records_module.h"

#include "records_window/records_window.h"

extern "C" Q_DECL_EXPORT QDialog* zorvelCreateRecordsWindow(zorvel::records::RecordStore& store,
                                                            const zorvel::records::RedoOpener& openRedo,
                                                            zorvel::facts::FactStore* facts)
{
    return zorvel::records::createRecordsWindow(store, openRedo, facts).release();
}

// What the class window needs from outside besides the class data: today's
// date, where to import from and the class list, the records window's
// dialogs and sheet preview (for a pupil's record and the mistakes sheet),
// and the preview of a printed table. Tests put fakes here;
// defaultClassServices() asks with Qt's standard dialogs.
#pragma once

#include "records_window/records_services.h"

#include <QStringList>

#include <functional>

namespace zorvel::classroom {

struct ClassServices {
    records::RecordsServices records;
    // The pupils' files chosen (several files, or every .zorvel file of a folder); empty when cancelled.
    std::function<QStringList(QWidget*)> chooseImportFiles;
    // The class list file; empty when cancelled.
    std::function<QString(QWidget*)> chooseRosterFile;
    // Shows a printed table (title, HTML) as it will print, with printing.
    std::function<void(QWidget*, const QString&, const QString&)> previewTable;
};

ClassServices defaultClassServices();

} // namespace zorvel::classroom

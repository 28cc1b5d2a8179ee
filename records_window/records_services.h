// What the records window needs from outside besides the store: the drill
// window a "重练" opens, today's date, and the questions it asks the user
// (a name, a yes or no, where to save, a message), and the print preview of
// a question sheet. Tests put fakes here; defaultRecordsServices() asks with
// Qt's standard dialogs and previews with Qt's print preview.
#pragma once

#include "facts/fact_store.h"
#include "records_window/school_server_setup.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace zorvel::sheets {
struct Worksheet;
}

namespace zorvel::records {

// Opens a normal-mode drill window ("Form81") with a level option
// ("Option4") and a number type ("integer") selected, for a "重练" test.
using RedoOpener = std::function<void(const QString& window, const QString& levelOption,
                                      const QString& numberType)>;

struct RecordsDialogs {
    // A name typed by the user (title, prompt, text to start from); none when cancelled.
    std::function<std::optional<QString>(QWidget*, const QString&, const QString&, const QString&)> askText;
    // true for "yes" (title, question).
    std::function<bool(QWidget*, const QString&, const QString&)> confirm;
    // The file to save to (title, suggested path); empty when cancelled.
    std::function<QString(QWidget*, const QString&, const QString&)> chooseSaveFile;
    // A message the user acknowledges (title, text).
    std::function<void(QWidget*, const QString&, const QString&)> tell;
};

// Writes the pupil's whole record to the file for the teacher; the reason
// (one Chinese phrase) when it could not, else empty.
using PupilExporter = std::function<QString(qint64 pupil, const QString& path)>;

struct RecordsServices {
    RedoOpener openRedo;
    std::function<QDate()> today;
    RecordsDialogs dialogs;
    // Shows the sheet as it will print, with printing on the system's printers.
    std::function<void(QWidget*, const sheets::Worksheet&)> previewSheet;
    // The daily practice's facts of the current pupil: the plan in the pupil
    // line and the 口诀掌握 tab. None: neither is shown.
    facts::FactStore* facts = nullptr;
    // "导出给老师…" in the pupil line; none: no such button.
    PupilExporter exportPupil;
    // The school server the pupil's tests are sent to ("学校服务器…" in the
    // pupil line). None: not offered.
    SchoolServerSetup* schoolServer = nullptr;
};

// The standard dialogs and the local date; openRedo left as given.
RecordsServices defaultRecordsServices(RedoOpener openRedo);

} // namespace zorvel::records

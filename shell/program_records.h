// The pupils' record as the program uses it: one record store, opened once
// the program knows it is the only copy running, told about every drill
// window's tests; the records window behind "学习记录" with its "重练"
// opener; and the current pupil's name on the menu. A record that cannot be
// used leaves the drills unrecorded (the records window says why).
#pragma once

#include "records/record_store.h"
#include "shell/drill_launcher.h"
#include "shell/main_menu.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace zorvel {

namespace records {
class SqliteRecordStore;
}

class SchoolServerLink;

class ProgramRecords {
public:
    ProgramRecords();
    // Closes the store: everything recorded so far is written first; what a
    // lasting lock kept out is named in a message box.
    ~ProgramRecords();
    ProgramRecords(const ProgramRecords&) = delete;
    ProgramRecords& operator=(const ProgramRecords&) = delete;

    // The drill windows it makes report to the store once it is open.
    DrillWindowFactory drillWindowFactory();
    void open(const QString& path, const QString& defaultPupilName);
    // "学习记录" and the pupil label of the menu, which chooses the pupil.
    void attachTo(MainMenu& menu);
    // With two or more pupils, asks over the menu who is practising (once the
    // record is open).
    void askWhoIsPractising(MainMenu& menu);
    // On a new record: the child's name for its first pupil.
    void askFirstPupilName(MainMenu& menu);

private:
    QString exportPupil(qint64 pupil, const QString& path);
    facts::FactStore* factStore();
    // The normal-mode window of a "重练", modal over the records window; the
    // book is brought up to date on disk before that window reads it again.
    void openRedo(const QString& window, const QString& levelOption, const QString& numberType);

    // Outlives the store: what the writer queues for the menu is dropped with it.
    QObject opened_;
    QPointer<MainMenu> menu_;
    QString path_;
    std::unique_ptr<records::SqliteRecordStore> store_;
    // The school server's side of the record; goes before the store.
    std::unique_ptr<SchoolServerLink> school_;
    // The daily practice's facts where the record cannot keep them.
    facts::MemoryFactStore unrecordedFacts_;
    DrillWindowFactory createDrillWindow_;
};

} // namespace zorvel

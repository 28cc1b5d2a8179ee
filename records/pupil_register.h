// The pupils a record keeps, which of them is practising and the listening
// reading settings kept for each: what the menu, the listening windows (through
// shell/) and the records window's pupil line ask of the record and change in it.
// Plain Qt Core types only.
#pragma once

#include "listening_pace/reading_settings.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <vector>

namespace zorvel::records {

struct Pupil {
    qint64 id = 0;
    QString name;
};

class PupilRegister {
public:
    virtual ~PupilRegister() = default;

    virtual std::vector<Pupil> pupils() = 0;
    virtual Pupil currentPupil() = 0;
    virtual void setCurrentPupil(qint64 id) = 0;
    virtual std::optional<Pupil> addPupil(const QString& name) = 0;   // none: name taken or empty
    virtual bool renamePupil(qint64 id, const QString& name) = 0;
    // What removing the pupil loses: the number of tests and of book questions.
    virtual std::pair<int, int> pupilRecordCount(qint64 id) = 0;
    virtual bool removePupil(qint64 id) = 0;  // never the last pupil
    // The listening windows' reading settings kept for the pupil (the
    // defaults when none are kept), and keeping new ones.
    virtual ReadingSettings readingSettings(qint64 pupil) = 0;
    virtual void keepReadingSettings(qint64 pupil, const ReadingSettings& settings) = 0;
};

} // namespace zorvel::records

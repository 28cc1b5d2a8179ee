// The pupils a record keeps and which of them is practising: what the menu
// and the records window's pupil line ask of the record and change in it.
// Plain Qt Core types only.
#pragma once

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
};

} // namespace zorvel::records

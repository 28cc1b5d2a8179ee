// The pupil line of the records window: whose record is shown, and adding,
// renaming and removing pupils. Removing asks first and names what is lost.
// "导出给老师…" writes the pupil's whole record to a file for the teacher.
#pragma once

#include "records/pupil_register.h"
#include "records_window/records_services.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QComboBox;
class QPushButton;
QT_END_NAMESPACE

namespace zorvel::records {

class PupilBar : public QWidget {
    Q_OBJECT
public:
    PupilBar(PupilRegister& store, const RecordsServices& services, QWidget* parent = nullptr);

    qint64 currentPupil() const { return current_.id; }
    QString currentName() const { return current_.name; }
    void reload();

signals:
    void pupilChanged();

private:
    void choose(int index);
    void addPupil();
    void renamePupil();
    void removePupil();
    void exportPupil();
    void refuse(const QString& text);

    PupilRegister& store_;
    const RecordsDialogs& dialogs_;
    const PupilExporter& export_;
    Pupil current_;
    QComboBox* pupils_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace zorvel::records

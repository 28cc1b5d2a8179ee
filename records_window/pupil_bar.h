// The pupil line of the records window: whose record is shown, and adding,
// renaming and removing pupils. Removing asks first and names what is lost.
// Showing a pupil never makes them the one practising: only the menu's
// "学生：" chooser and the question at start do.
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

    qint64 shownPupil() const { return shown_.id; }
    QString shownName() const { return shown_.name; }
    // The list again, showing the pupil of that id if there is one, else
    // the one practising.
    void reload(qint64 show);

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
    Pupil shown_;
    QComboBox* pupils_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace zorvel::records

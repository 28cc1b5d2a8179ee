// One pupil of the class as the records window shows a pupil: the 成绩 tab
// (tests, best times, progress chart) and the 口诀掌握 grid, read from the
// class data. Nothing in it changes the class.
#pragma once

#include "class_record/class_data.h"
#include "class_window/class_services.h"

#include <QDialog>

namespace zorvel::classroom {

class PupilRecordDialog final : public QDialog {
    Q_OBJECT
public:
    PupilRecordDialog(ClassData& data, const ClassServices& services, qint64 pupil, const QString& name,
                      QWidget* parent = nullptr);
};

} // namespace zorvel::classroom

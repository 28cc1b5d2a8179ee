// The question at the first start: the child's name for the record's first
// pupil, in one field with "确定"; "跳过" (or Escape) keeps the pupil named
// "学生". A name the record refuses is said under the field, which stays.
#pragma once

#include "records/pupil_register.h"

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

namespace zorvel {

class FirstPupilNameDialog : public QDialog {
    Q_OBJECT
public:
    FirstPupilNameDialog(records::PupilRegister& pupils, QWidget* parent = nullptr);

    // Names the current pupil as typed, or says why not and stays open.
    void accept() override;

private:
    records::PupilRegister& pupils_;
    QLineEdit* name_ = nullptr;
    QLabel* refusal_ = nullptr;
};

} // namespace zorvel

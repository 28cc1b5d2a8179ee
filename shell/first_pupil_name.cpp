// The child's name asked once, when the record is new.
#include "shell/first_pupil_name.h"

#include "design_units/screen_units.h"
#include "records/pupil_names.h"
#include "window_fit/window_fit.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvel {

FirstPupilNameDialog::FirstPupilNameDialog(records::PupilRegister& pupils, QWidget* parent)
    : QDialog(parent), pupils_(pupils)
{
    setObjectName(QStringLiteral("frmFirstPupil"));
    setWindowTitle(QStringLiteral("欢迎使用"));
    setFont(designFont(FontFace::Heiti, 12));

    auto* prompt = new QLabel(QStringLiteral("请输入孩子的名字，练习会记在这个名字下："), this);
    prompt->setWordWrap(true);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txtPupilName"));
    name_->setFont(designFont(FontFace::Heiti, 14));
    prompt->setBuddy(name_);
    refusal_ = new QLabel(this);
    refusal_->setObjectName(QStringLiteral("lblNameRefused"));
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    refusal_->hide();

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdNameOk"));
    ok->setDefault(true);
    QPushButton* skip = buttons->addButton(QStringLiteral("跳过"), QDialogButtonBox::RejectRole);
    skip->setObjectName(QStringLiteral("cmdNameSkip"));
    skip->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(name_);
    layout->addWidget(refusal_);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &FirstPupilNameDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    name_->setFocus();
    fitOnScreen(this, sizeHint().expandedTo(twipsSize(5400, 2400)), parent ? parent : windowInFront());
}

void FirstPupilNameDialog::accept()
{
    const records::PupilName checked = records::pupilName(name_->text());
    const records::Pupil pupil = pupils_.currentPupil();
    if (checked.name.isEmpty() || (checked.name != pupil.name && !pupils_.renamePupil(pupil.id, checked.name))) {
        refusal_->setText(records::refusalOf(checked) + QStringLiteral("请换一个，或者点“跳过”。"));
        refusal_->show();
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace zorvel

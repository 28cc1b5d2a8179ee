// The list of pupils, "添加学生…", and the choice kept in the record.
#include "shell/pupil_chooser.h"

#include "design_units/screen_units.h"
#include "records/pupil_names.h"
#include "window_fit/window_fit.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace zorvel {

namespace {

const QString kTitle = QStringLiteral("谁在练习？");

} // namespace

PupilChooser::PupilChooser(records::RecordStore& store, AskName askName, TellUser tell, QWidget* parent)
    : QDialog(parent), store_(store), askName_(std::move(askName)), tell_(std::move(tell))
{
    setObjectName(QStringLiteral("frmPupils"));
    setWindowTitle(kTitle);
    setFont(designFont(FontFace::Heiti, 12));

    auto* prompt = new QLabel(QStringLiteral("请选择正在练习的学生，练习会记在他（她）的名下："), this);
    prompt->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstPupils"));
    list_->setFont(designFont(FontFace::Heiti, 14));
    prompt->setBuddy(list_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(QStringLiteral("添加学生…"), QDialogButtonBox::ActionRole);
    add->setObjectName(QStringLiteral("cmdAddPupil"));
    // Enter on it adds a pupil; elsewhere Enter confirms the choice.
    add->setAutoDefault(true);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdChoosePupil"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &PupilChooser::addPupil);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    fillList(store_.currentPupil().id);
    list_->setFocus();
    fitOnScreen(this, sizeHint().expandedTo(twipsSize(5400, 4800)), parent ? parent : windowInFront());
}

void PupilChooser::fillList(qint64 selected)
{
    list_->clear();
    for (const records::Pupil& pupil : store_.pupils()) {
        auto* item = new QListWidgetItem(pupil.name, list_);
        item->setData(Qt::UserRole, pupil.id);
        if (pupil.id == selected)
            list_->setCurrentItem(item);
    }
}

void PupilChooser::addPupil()
{
    const std::optional<QString> name = askName_ ? askName_(this, QStringLiteral("添加学生"), QStringLiteral("新学生的名字："))
                                                 : std::nullopt;
    if (!name)
        return;
    const records::PupilName checked = records::pupilName(*name);
    const std::optional<records::Pupil> pupil =
        checked.name.isEmpty() ? std::nullopt : store_.addPupil(checked.name);
    if (!pupil) {
        if (tell_)
            tell_(this, QStringLiteral("添加学生"), QStringLiteral("没有添加：") + records::refusalOf(checked));
        return;
    }
    fillList(pupil->id);
    list_->setFocus();
}

void PupilChooser::done(int result)
{
    if (result == QDialog::Accepted) {
        if (const QListWidgetItem* item = list_->currentItem()) {
            const qint64 id = item->data(Qt::UserRole).toLongLong();
            if (id != store_.currentPupil().id)
                store_.setCurrentPupil(id);
        }
    }
    QDialog::done(result);
}

AskName askNameWithInputDialog()
{
    return [](QWidget* parent, const QString& title, const QString& prompt) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
}

TellUser tellWithMessageBox()
{
    return [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
        box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
        box.exec();
    };
}

bool askWhoIsPractising(records::RecordStore& store, QWidget* over, const AskName& askName, const TellUser& tell)
{
    if (store.pupils().size() < 2)
        return false;
    PupilChooser chooser(store, askName, tell, over);
    chooser.exec();
    return true;
}

} // namespace zorvel

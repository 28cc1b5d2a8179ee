// Choosing, adding, renaming and removing pupils.
#include "records_window/pupil_bar.h"
#include "choice_box/choice_box.h"

#include "design_units/screen_units.h"
#include "records/pupil_names.h"
#include "records_window/record_controls.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace zorvel::records {

namespace {

const QString pupilTitle = QStringLiteral("学生");

} // namespace

PupilBar::PupilBar(PupilRegister& store, const RecordsServices& services, QWidget* parent)
    : QWidget(parent), store_(store), dialogs_(services.dialogs), export_(services.exportPupil)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("学生："), this);
    label->setFont(designFont(FontFace::Heiti, 12, true));
    pupils_ = new ChoiceBox(this);
    pupils_->setObjectName(QStringLiteral("cboPupil"));
    pupils_->setFont(designFont(FontFace::Heiti, 12));
    pupils_->setMinimumContentsLength(6);
    pupils_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    label->setBuddy(pupils_);
    QPushButton* add = makeButton(this, "cmdAddPupil", QStringLiteral("添加"), 11);
    QPushButton* rename = makeButton(this, "cmdRenamePupil", QStringLiteral("改名"), 11);
    remove_ = makeButton(this, "cmdRemovePupil", QStringLiteral("删除"), 11);
    layout->addWidget(label);
    layout->addWidget(pupils_);
    layout->addWidget(add);
    layout->addWidget(rename);
    layout->addWidget(remove_);

    connect(pupils_, qOverload<int>(&QComboBox::activated), this, &PupilBar::choose);
    connect(add, &QPushButton::clicked, this, &PupilBar::addPupil);
    connect(rename, &QPushButton::clicked, this, &PupilBar::renamePupil);
    connect(remove_, &QPushButton::clicked, this, &PupilBar::removePupil);
    if (export_) {
        QPushButton* exportButton = makeButton(this, "cmdExportPupil", QStringLiteral("导出给老师…"), 11);
        exportButton->setToolTip(QStringLiteral("把这个学生的全部记录存成一个文件，交给老师导入班级汇总"));
        layout->addWidget(exportButton);
        connect(exportButton, &QPushButton::clicked, this, &PupilBar::exportPupil);
    }
    reload(store_.currentPupil().id);
}

void PupilBar::reload(qint64 show)
{
    const std::vector<Pupil> pupils = store_.pupils();
    const auto shown = std::find_if(pupils.begin(), pupils.end(), [show](const Pupil& p) { return p.id == show; });
    shown_ = shown != pupils.end() ? *shown : store_.currentPupil();
    const QSignalBlocker blocker(pupils_);
    pupils_->clear();
    for (const Pupil& pupil : pupils) {
        pupils_->addItem(pupil.name, pupil.id);
        if (pupil.id == shown_.id)
            pupils_->setCurrentIndex(pupils_->count() - 1);
    }
    // The last pupil stays: somebody's record must be shown and kept.
    remove_->setEnabled(pupils_->count() > 1);
}

void PupilBar::choose(int index)
{
    const qint64 id = pupils_->itemData(index).toLongLong();
    if (id == shown_.id)
        return;
    reload(id);
    emit pupilChanged();
}

void PupilBar::addPupil()
{
    const auto name = dialogs_.askText(this, QStringLiteral("添加学生"), QStringLiteral("新学生的名字："), QString());
    if (!name)
        return;
    const PupilName checked = pupilName(*name);
    const auto pupil = checked.name.isEmpty() ? std::nullopt : store_.addPupil(checked.name);
    if (!pupil) {
        refuse(QStringLiteral("没有添加：") + refusalOf(checked));
        return;
    }
    reload(pupil->id);
    emit pupilChanged();
}

void PupilBar::renamePupil()
{
    const auto name = dialogs_.askText(this, QStringLiteral("学生改名"),
                                       QStringLiteral("“%1”的新名字：").arg(shown_.name), shown_.name);
    if (!name)
        return;
    const PupilName checked = pupilName(*name);
    if (checked.name == shown_.name)
        return;
    if (checked.name.isEmpty() || !store_.renamePupil(shown_.id, checked.name)) {
        refuse(QStringLiteral("没有改名：") + refusalOf(checked));
        return;
    }
    reload(shown_.id);
    emit pupilChanged();
}

void PupilBar::removePupil()
{
    const auto [tests, mistakes] = store_.pupilRecordCount(shown_.id);
    // One arg() call: a name holding "%2" stays as typed.
    const QString question = QStringLiteral("将删除 %1 的 %2 次测试记录和 %3 道错题，删除后无法恢复。\n确定删除吗？")
                                 .arg(shown_.name, QString::number(tests), QString::number(mistakes));
    if (!dialogs_.confirm(this, QStringLiteral("删除学生"), question))
        return;
    if (!store_.removePupil(shown_.id)) {
        refuse(QStringLiteral("没有删除 %1 的记录。").arg(shown_.name));
        return;
    }
    // The one practising is shown next (someone else if it was them).
    reload(0);
    emit pupilChanged();
}

void PupilBar::refuse(const QString& text)
{
    dialogs_.tell(this, pupilTitle, text);
}

void PupilBar::exportPupil()
{
    const QString title = QStringLiteral("导出给老师");
    const QString path = dialogs_.chooseSaveFile(this, title, QDir::home().filePath(shown_.name + QStringLiteral(".zorvel")));
    if (path.isEmpty())
        return;
    const QString failure = export_(shown_.id, path);
    dialogs_.tell(this, title,
                  failure.isEmpty()
                      ? QStringLiteral("%1 的全部记录已导出到 %2。请把这个文件交给老师。").arg(shown_.name, QDir::toNativeSeparators(path))
                      : QStringLiteral("没能导出到 %1：%2。").arg(QDir::toNativeSeparators(path), failure));
}

} // namespace zorvel::records

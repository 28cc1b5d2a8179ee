// Opens the record and hands it to the drill windows, the records window and
// the menu.
#include "shell/program_records.h"

#include "class_record/pupil_export.h"
#include "normal_drill/drill_window.h"
#include "records/read_only_record.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "records_window/records_module.h"
#include "shell/first_pupil_name.h"
#include "shell/module_loader.h"
#include "shell/pupil_chooser.h"
#include "shell/school_server_link.h"

#include <QApplication>
#include <QMessageBox>

namespace zorvel {
namespace {

// The records window from its module; nullptr, after telling the pupil, when
// the module is missing.
std::unique_ptr<QDialog> moduleRecordsWindow(records::RecordStore& store, const records::RedoOpener& openRedo,
                                            facts::FactStore* facts, const records::PupilExporter& exportPupil,
                                            records::SchoolServerSetup* school)
{
    const auto create = reinterpret_cast<records::CreateRecordsWindowFunction>(
        moduleFunction(QString::fromLatin1(records::kRecordsModule), records::kCreateRecordsWindowFunction));
    if (!create) {
        QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("学习记录"),
                             QStringLiteral("学习记录打不开：程序缺少文件（%1）。请重新安装 Zorvel。"
                                            "练习和记录不受影响。")
                                 .arg(QString::fromLatin1(records::kRecordsModule)));
        return nullptr;
    }
    return std::unique_ptr<QDialog>(create(store, store, openRedo, facts, exportPupil, school));
}

} // namespace

ProgramRecords::ProgramRecords()
    : createDrillWindow_(zorvel::drillWindowFactory([this] { return store_.get(); },
                                                    [this] { return factStore(); }))
{
}

// Before the program ends, the parent is told what could not be written (the
// record stayed locked by another program); it is made at the next start.
ProgramRecords::~ProgramRecords()
{
    school_.reset();
    if (!store_)
        return;
    const QString unwritten = store_->close();
    if (!unwritten.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("学习记录"), unwritten);
}

DrillWindowFactory ProgramRecords::drillWindowFactory()
{
    return createDrillWindow_;
}

// The record opens on the writer thread (a migration or a lock must not hold
// up the menu); the menu's pupil label follows once it is open, then on a
// new record the child's name, and with two or more pupils the question who
// is practising.
void ProgramRecords::open(const QString& path, const QString& defaultPupilName)
{
    path_ = path;
    store_ = std::make_unique<records::SqliteRecordStore>(
        path, defaultPupilName, records::SqliteRecordStore::Opening::InBackground, [this] {
            QMetaObject::invokeMethod(&opened_, [this] {
                if (!menu_)
                    return;
                attachTo(*menu_);
                if (store_->madeFirstPupil())
                    askFirstPupilName(*menu_);
                else
                    askWhoIsPractising(*menu_);
            }, Qt::QueuedConnection);
        });
    school_ = std::make_unique<SchoolServerLink>(*store_, path);
}

void ProgramRecords::attachTo(MainMenu& menu)
{
    if (!store_)
        return;
    menu_ = &menu;
    menu.setRecords(
        [this]() -> std::unique_ptr<QDialog> {
            // The tests just practised are shown too.
            store_->flush();
            return moduleRecordsWindow(
                *store_, [this](const QString& window, const QString& levelOption, const QString& numberType) {
                    openRedo(window, levelOption, numberType);
                },
                factStore(), [this](qint64 pupil, const QString& path) { return exportPupil(pupil, path); },
                school_.get());
        },
        [this] { return store_->currentPupil().name; },
        [this, &menu] {
            PupilChooser chooser(*store_, askNameWithInputDialog(), tellWithMessageBox(), &menu);
            execModallyAbove(chooser, &menu);
        });
}

void ProgramRecords::askWhoIsPractising(MainMenu& menu)
{
    if (store_ && zorvel::askWhoIsPractising(*store_, &menu, askNameWithInputDialog(), tellWithMessageBox()))
        menu.showPupilName();
}

void ProgramRecords::askFirstPupilName(MainMenu& menu)
{
    // Not waited for: the menu is usable behind it once it is answered.
    auto* dialog = new FirstPupilNameDialog(*store_, &menu);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, &menu, &MainMenu::showPupilName);
    dialog->open();
}

// Everything recorded so far, read from the record file beside the store.
QString ProgramRecords::exportPupil(qint64 pupil, const QString& path)
{
    store_->flush();
    const QString connection = QStringLiteral("zorvel-export-source");
    QString failure;
    try {
        const records::ReadOnlyRecord record(connection, path_);
        failure = classroom::exportPupil(record.db(), pupil, path);
    } catch (const records::SqlFailure& error) {
        failure = records::readProblemText(error);
    }
    return failure;
}

facts::FactStore* ProgramRecords::factStore()
{
    if (store_)
        return store_.get();
    return &unrecordedFacts_;
}

void ProgramRecords::openRedo(const QString& window, const QString& levelOption, const QString& numberType)
{
    std::unique_ptr<QDialog> dialog = createDrillWindow_(window);
    auto* drill = qobject_cast<DrillWindow*>(dialog.get());
    if (!drill || drill->row().mode != Mode::Normal)
        return;
    drill->openForRedo(levelOption, numberType);
    execModallyAbove(*dialog, QApplication::activeModalWidget());
    store_->flush();
}

} // namespace zorvel

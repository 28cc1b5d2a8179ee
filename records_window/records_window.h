// The records window (学习记录), opened modally from the main menu.
//
// records_window/ shows what records/ keeps through its pupils' and queries' interfaces
// only: the pupil line (pupil_bar.h), the 最近一周 tab of every pupil's week
// (week_tab.h), the 成绩 tab with its table, best times and CSV export and
// the 进步曲线 tab of its charts (results_tab.h, test_table_model.h,
// progress_chart.h, records/csv_export.h), the 错题本 tab (mistakes_tab.h) and the daily
// practice's plan and 口诀掌握 tab (plan_button.h, facts_tab.h). "打印练习卷…" opens
// print_sheet_dialog.h; sheets reach paper through sheet_printing.h. The
// store, the "重练" opener, the dialogs and the print preview are injected
// (records_services.h).
#pragma once

#include "records/pupil_register.h"
#include "records/record_queries.h"
#include "records_window/records_services.h"

#include <QDialog>

#include <memory>

QT_BEGIN_NAMESPACE
class QLabel;
class QPushButton;
class QTabWidget;
QT_END_NAMESPACE

namespace zorvel::records {

class FactsTab;
class MistakesTab;
class PlanButton;
class PupilBar;
class ResultsTab;
class WeekTab;

class RecordsWindow : public QDialog {
    Q_OBJECT
public:
    RecordsWindow(PupilRegister& pupils, RecordQueries& queries, RecordsServices services,
                  QWidget* parent = nullptr);

private:
    void showPupil();
    void showProblem(const QString& text);
    QPushButton* makePrintButton();
    QPushButton* makeSchoolServerButton();
    // The designed size, or the whole window smaller (its fonts too, but
    // not the tables' print) where the screen's free area is smaller.
    void fitToScreen(QWidget* over);

    PupilRegister& pupilRegister_;
    RecordQueries& queries_;
    RecordsServices services_;
    PupilBar* pupils_ = nullptr;
    PlanButton* plan_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* problem_ = nullptr;
    WeekTab* week_ = nullptr;
    ResultsTab* results_ = nullptr;
    MistakesTab* mistakes_ = nullptr;
    FactsTab* facts_ = nullptr;
};

// The window with the standard dialogs and today's date.
std::unique_ptr<QDialog> createRecordsWindow(PupilRegister& pupils, RecordQueries& queries, RedoOpener openRedo,
                                             facts::FactStore* facts, PupilExporter exportPupil = {},
                                             SchoolServerSetup* schoolServer = nullptr);

} // namespace zorvel::records

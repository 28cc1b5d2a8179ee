// The records window: heading, pupil line, the two tabs, "打印练习卷…" and "返 回".
#include "records_window/records_window.h"

#include "common/window_texts.h"
#include "design_units/screen_units.h"
#include "records_window/facts_tab.h"
#include "records_window/mistakes_tab.h"
#include "records_window/plan_button.h"
#include "records_window/print_sheet_dialog.h"
#include "records_window/pupil_bar.h"
#include "records_window/record_controls.h"
#include "records_window/results_tab.h"
#include "records_window/week_tab.h"
#include "records_window/school_server_dialog.h"
#include "window_fit/window_fit.h"

#include <QHBoxLayout>
#include <QAbstractItemView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace zorvel::records {

namespace {

QLabel* makeHeading(QWidget* parent)
{
    auto* heading = new QLabel(QStringLiteral("Zorvel（学习记录）"), parent);
    heading->setObjectName(QStringLiteral("lblHeading"));
    heading->setFont(designFont(FontFace::Heiti, 28, true));
    QPalette palette = heading->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(0x0000FF));
    heading->setPalette(palette);
    return heading;
}

QLabel* makeProblem(QWidget* parent, const QString& problem)
{
    auto* label = new QLabel(problem, parent);
    label->setObjectName(QStringLiteral("lblProblem"));
    label->setFont(designFont(FontFace::Songti, 12, true));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("QLabel { color: #b00000; background: #fff0f0; border: 1px solid #e0a0a0; padding: 4px; }"));
    label->setVisible(!problem.isEmpty());
    return label;
}

} // namespace

RecordsWindow::RecordsWindow(PupilRegister& pupils, RecordQueries& queries, RecordsServices services,
                             QWidget* parent)
    : QDialog(parent), pupilRegister_(pupils), queries_(queries), services_(std::move(services))
{
    setObjectName(QStringLiteral("frmRecords"));
    setWindowTitle(programWindowTitle());

    pupils_ = new PupilBar(pupilRegister_, services_, this);
    auto* top = new QHBoxLayout;
    top->addWidget(makeHeading(this));
    top->addStretch(1);
    top->addWidget(pupils_);
    plan_ = services_.facts ? new PlanButton(*services_.facts, this) : nullptr;
    if (plan_)
        top->addWidget(plan_);
    if (services_.schoolServer)
        top->addWidget(makeSchoolServerButton());

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabRecords"));
    tabs_->setFont(designFont(FontFace::Heiti, 12));
    results_ = new ResultsTab(queries_, services_, tabs_);
    mistakes_ = new MistakesTab(queries_, services_, tabs_);
    week_ = new WeekTab(queries_, services_.today, tabs_);
    tabs_->addTab(week_, QStringLiteral("最近一周"));
    tabs_->addTab(results_, QStringLiteral("成绩"));
    tabs_->addTab(results_->chartsPage(), QStringLiteral("进步曲线"));
    tabs_->addTab(mistakes_, QStringLiteral("错题本"));
    if (services_.facts) {
        facts_ = new FactsTab(*services_.facts, services_.today, tabs_);
        tabs_->addTab(facts_, QStringLiteral("口诀掌握"));
        connect(plan_, &PlanButton::planChanged, this, [this] { facts_->showPupil(pupils_->shownPupil()); });
    }

    QPushButton* back = makeButton(this, "cmdBack", QStringLiteral("返 回"), 14);
    back->setMinimumSize(twipsSize(1455, 600));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makePrintButton());
    bottom->addStretch(1);
    bottom->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    // Said once, here; the window goes on showing whatever the store can give.
    problem_ = makeProblem(this, queries_.problem());
    layout->addWidget(problem_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(bottom);

    connect(pupils_, &PupilBar::pupilChanged, this, &RecordsWindow::showPupil);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    connect(results_, &ResultsTab::readFailed, this, &RecordsWindow::showProblem);
    connect(mistakes_, &MistakesTab::readFailed, this, &RecordsWindow::showProblem);
    fitToScreen(parent);
    showPupil();
    // Tab leaves a table instead of walking its cells.
    for (QAbstractItemView* view : findChildren<QAbstractItemView*>())
        view->setTabKeyNavigation(false);
    // Keys go to the tabs first, not to the pupil line.
    tabs_->setFocus();
}

// A read that failed is said where the store's problem is said.
void RecordsWindow::showProblem(const QString& text)
{
    problem_->setText(text);
    problem_->setVisible(true);
}

void RecordsWindow::fitToScreen(QWidget* over)
{
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    const qreal scale = fitOnScreen(this, twipsSize(15210, 10950), over ? over : windowInFront());
    if (scale >= 1.0)
        return;
    scaleFonts(this, scale);
    // The tables keep their print and columns: they scroll, and their dates
    // and captions would otherwise be cut to "…" (a cell's margins do not
    // shrink with the font).
    for (QAbstractItemView* table : findChildren<QAbstractItemView*>())
        scaleFonts(table, 1.0);
}

QPushButton* RecordsWindow::makeSchoolServerButton()
{
    QPushButton* button = makeButton(this, "cmdSchoolServer", QStringLiteral("学校服务器…"), 11);
    connect(button, &QPushButton::clicked, this, [this] {
        auto* dialog = new SchoolServerDialog(*services_.schoolServer, services_.dialogs, pupils_->shownPupil(),
                                              pupils_->shownName(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    return button;
}

QPushButton* RecordsWindow::makePrintButton()
{
    QPushButton* print = makeButton(this, "cmdPrintSheet", QStringLiteral("打印练习卷…"), 12);
    print->setMinimumHeight(twipsToPixels(600));
    connect(print, &QPushButton::clicked, this, [this] {
        auto* dialog = new PrintSheetDialog(services_, {}, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    return print;
}

void RecordsWindow::showPupil()
{
    week_->reload();
    results_->showPupil(pupils_->shownPupil(), pupils_->shownName());
    mistakes_->showPupil(pupils_->shownPupil());
    if (facts_) {
        plan_->showPupil(pupils_->shownPupil());
        facts_->showPupil(pupils_->shownPupil());
    }
}

std::unique_ptr<QDialog> createRecordsWindow(PupilRegister& pupils, RecordQueries& queries, RedoOpener openRedo,
                                             facts::FactStore* facts, PupilExporter exportPupil,
                                             SchoolServerSetup* schoolServer)
{
    RecordsServices services = defaultRecordsServices(std::move(openRedo));
    services.facts = facts;
    services.exportPupil = std::move(exportPupil);
    services.schoolServer = schoolServer;
    return std::make_unique<RecordsWindow>(pupils, queries, std::move(services));
}

} // namespace zorvel::records

// The records window's 成绩 tab and the facts grid over the class data.
#include "class_window/pupil_record_dialog.h"

#include "design_units/screen_units.h"
#include "fact_grid/fact_grid.h"
#include "records_window/results_tab.h"
#include "window_fit/window_fit.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvel::classroom {

namespace {

// The sets the pupil has practised, or multiplication when none.
std::vector<facts::FactSet> practisedSets(const facts::FactBook& book)
{
    std::vector<facts::FactSet> sets;
    for (facts::FactSet set : facts::kAllSets) {
        bool practised = false;
        for (int i = 0; i < facts::kFactsPerSet && !practised; ++i)
            practised = book.state(static_cast<int>(set) * facts::kFactsPerSet + i).asked();
        if (practised)
            sets.push_back(set);
    }
    return sets.empty() ? std::vector<facts::FactSet>{facts::FactSet::Mul} : sets;
}

} // namespace

PupilRecordDialog::PupilRecordDialog(ClassData& data, const ClassServices& services, qint64 pupil, const QString& name,
                                     QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PupilRecordDialog"));
    setWindowTitle(QStringLiteral("%1 的学习记录").arg(name));
    auto* tabs = new QTabWidget(this);
    auto* results = new records::ResultsTab(data.pupilRecords(), services.records, tabs);
    tabs->addTab(results, QStringLiteral("成绩"));
    auto* grid = new facts::FactGrid(tabs);
    grid->setFont(designFont(FontFace::Heiti, 10));
    const facts::FactBook book = data.factBook(pupil);
    grid->showBook(book, practisedSets(book), services.records.today().toJulianDay());
    tabs->addTab(grid, QStringLiteral("口诀掌握"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(buttons);
    results->showPupil(pupil, name);
    fitOnScreen(this, QSize(1200, 680), parent);
}

} // namespace zorvel::classroom

// The shown pupil's facts, read from the fact store each time a pupil or
// the plan is shown.
#include "records_window/facts_tab.h"

#include "fact_grid/fact_grid.h"
#include "fact_grid/fact_texts.h"
#include "design_units/screen_units.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zorvel::records {

FactsTab::FactsTab(facts::FactStore& facts, std::function<QDate()> today, QWidget* parent)
    : QWidget(parent), facts_(facts), today_(std::move(today))
{
    setObjectName(QStringLiteral("tabFacts"));
    plan_ = new QLabel(this);
    plan_->setObjectName(QStringLiteral("lblFactsPlan"));
    plan_->setFont(designFont(FontFace::Heiti, 12, true));
    grid_ = new facts::FactGrid(this);
    grid_->setFont(designFont(FontFace::Heiti, 10));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plan_);
    layout->addWidget(grid_, 1);
}

void FactsTab::showPupil(qint64 pupil)
{
    pupil_ = pupil;
    const facts::PracticePlan plan = facts_.planOf(pupil);
    const facts::FactBook book = facts_.bookOf(pupil);
    const facts::Day today = today_().toJulianDay();
    std::vector<facts::FactSet> sets;
    for (facts::FactSet set : facts::kAllSets) {
        bool practised = plan.includes(set);
        for (int i = 0; i < facts::kFactsPerSet && !practised; ++i)
            practised = book.state(static_cast<int>(set) * facts::kFactsPerSet + i).asked();
        if (practised)
            sets.push_back(set);
    }
    plan_->setText(facts::planText(facts::DailySession(book, plan, today, facts::seededDraws(0))));
    grid_->showBook(book, sets, today);
}

} // namespace zorvel::records

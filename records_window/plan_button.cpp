// The plan's menu: four sets and three speeds, saved as they are chosen.
#include "records_window/plan_button.h"

#include "fact_grid/fact_texts.h"
#include "design_units/screen_units.h"

#include <QActionGroup>
#include <QMenu>
#include <QSignalBlocker>

namespace zorvel::records {

namespace {

// The time named is the rules' own for a one-digit answer (1 + 1).
QString speedCaption(facts::Speed speed)
{
    const int seconds = facts::thresholdMs(facts::Fact{facts::FactSet::Add, 1, 1}, speed) / 1000;
    return QStringLiteral("%1（每题 %2 秒，答案每多一位加 1 秒）")
        .arg(catalogueText(facts::speedName(speed)), QString::number(seconds));
}

} // namespace

PlanButton::PlanButton(facts::FactStore& facts, QWidget* parent) : QToolButton(parent), facts_(facts)
{
    setObjectName(QStringLiteral("cmdPlan"));
    setText(QStringLiteral("今日练习设置"));
    setFont(designFont(FontFace::Heiti, 11));
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    menu->addSection(QStringLiteral("练习哪些口诀"));
    for (facts::FactSet set : facts::kAllSets) {
        QAction* action = menu->addAction(catalogueText(facts::setName(set)));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, [this, action](bool on) {
            if (!on && !anySetChosen()) {
                // A practice of no set at all cannot be chosen: the last set stays.
                const QSignalBlocker blocker(action);
                action->setChecked(true);
                return;
            }
            save();
        });
        sets_[static_cast<std::size_t>(set)] = action;
    }
    menu->addSection(QStringLiteral("答题速度"));
    auto* speeds = new QActionGroup(menu);
    for (facts::Speed speed : facts::kAllSpeeds) {
        QAction* action = menu->addAction(speedCaption(speed));
        action->setCheckable(true);
        speeds->addAction(action);
        connect(action, &QAction::toggled, this, [this](bool on) {
            if (on)
                save();
        });
        speeds_[static_cast<std::size_t>(speed)] = action;
    }
    setMenu(menu);
}

void PlanButton::showPupil(qint64 pupil)
{
    pupil_ = pupil;
    const facts::PracticePlan plan = facts_.planOf(pupil_);
    const QSignalBlocker blocker(menu());
    for (facts::FactSet set : facts::kAllSets) {
        const QSignalBlocker blockSet(setAction(set));
        setAction(set)->setChecked(plan.includes(set));
    }
    for (facts::Speed speed : facts::kAllSpeeds) {
        const QSignalBlocker blockSpeed(speedAction(speed));
        speedAction(speed)->setChecked(plan.speed == speed);
    }
}

bool PlanButton::anySetChosen() const
{
    for (const QAction* action : sets_)
        if (action && action->isChecked())
            return true;
    return false;
}

void PlanButton::save()
{
    facts::PracticePlan plan;
    plan.sets.clear();
    for (facts::FactSet set : facts::kAllSets) {
        if (setAction(set)->isChecked())
            plan.sets.push_back(set);
    }
    for (facts::Speed speed : facts::kAllSpeeds) {
        if (speedAction(speed)->isChecked())
            plan.speed = speed;
    }
    facts_.setPlanOf(pupil_, plan);
    emit planChanged();
}

} // namespace zorvel::records

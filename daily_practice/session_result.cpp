// The end of a session: its changes in words, and the grid.
#include "daily_practice/session_result.h"

#include "fact_grid/fact_grid.h"
#include "design_units/screen_units.h"
#include "fact_grid/fact_texts.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

#include <set>

namespace zorvel::facts {

QString sessionChanges(const FactBook& before, const FactBook& after, const std::vector<Fact>& asked)
{
    QStringList mastered, back;
    std::set<int> seen;
    for (const Fact& fact : asked) {
        if (!seen.insert(fact.index()).second)
            continue;
        const FactState& was = before.state(fact);
        const FactState& now = after.state(fact);
        if (now.isMastered() && !was.isMastered())
            mastered << keptTogether(writtenFact(fact.text()));
        else if (was.asked() && now.box < was.box)
            back << keptTogether(QStringLiteral("%1（回到第 %2 盒）").arg(writtenFact(fact.text())).arg(now.box));
    }
    QStringList lines;
    if (!mastered.isEmpty())
        lines << QStringLiteral("新掌握：") + mastered.join(QStringLiteral("、"));
    if (!back.isEmpty())
        lines << QStringLiteral("退步：") + back.join(QStringLiteral("、"));
    if (lines.isEmpty())
        lines << QStringLiteral("这次没有新掌握的口诀，也没有退步的。");
    return lines.join(QLatin1Char('\n'));
}

SessionResult::SessionResult(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlResult"));
    setAutoFillBackground(true);
    changes_ = new QLabel(this);
    changes_->setObjectName(QStringLiteral("lblChanges"));
    changes_->setWordWrap(true);
    grid_ = new FactGrid(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(changes_);
    layout->addWidget(grid_, 1);
}

void SessionResult::showResult(const QString& changes, const FactBook& book, const std::vector<FactSet>& sets,
                               Day today)
{
    changes_->setText(changes);
    grid_->showBook(book, sets, today);
}

} // namespace zorvel::facts

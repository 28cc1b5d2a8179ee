// Choosing and ordering the questions of a session.
#include "facts/daily_session.h"

#include <algorithm>
#include <tuple>

namespace zorvel::facts {

namespace {

// Other questions between a box-1 fact and its return.
constexpr int kReturnAfterMin = 3;
constexpr int kReturnAfterMax = 5;

} // namespace

bool PracticePlan::includes(FactSet set) const
{
    return std::find(sets.begin(), sets.end(), set) != sets.end();
}

std::vector<Fact> dueFacts(const FactBook& book, const PracticePlan& plan, Day today)
{
    std::vector<Fact> due;
    for (int i = 0; i < kFactCount; ++i) {
        const Fact fact = Fact::at(i);
        const FactState& state = book.state(i);
        if (plan.includes(fact.set) && state.asked() && state.due <= today)
            due.push_back(fact);
    }
    std::stable_sort(due.begin(), due.end(), [&book](const Fact& x, const Fact& y) {
        const FactState& sx = book.state(x);
        const FactState& sy = book.state(y);
        return std::tie(sx.due, sx.box) < std::tie(sy.due, sy.box);
    });
    return due;
}

std::vector<Fact> newFactsInOrder(const FactBook& book, const PracticePlan& plan)
{
    std::vector<Fact> fresh;
    for (FactSet set : kAllSets) {
        if (!plan.includes(set))
            continue;
        const std::size_t from = fresh.size();
        for (int i = 0; i < kFactsPerSet; ++i) {
            const Fact fact = Fact::at(static_cast<int>(set) * kFactsPerSet + i);
            if (!book.state(fact).asked())
                fresh.push_back(fact);
        }
        std::stable_sort(fresh.begin() + static_cast<std::ptrdiff_t>(from), fresh.end(),
                         [](const Fact& x, const Fact& y) { return std::max(x.a, x.b) < std::max(y.a, y.b); });
    }
    return fresh;
}

DailySession::DailySession(const FactBook& book, const PracticePlan& plan, Day today)
    : asks_(kFactCount, 0)
{
    for (const Fact& fact : dueFacts(book, plan, today)) {
        if (static_cast<int>(queue_.size()) == kSessionLength)
            break;
        queue_.push_back(fact);
    }
    const int newAllowed = std::max(0, kNewFactsPerDay - book.newFactsOn(today));
    for (const Fact& fact : newFactsInOrder(book, plan)) {
        if (static_cast<int>(queue_.size()) == kSessionLength || newFacts_ == newAllowed)
            break;
        queue_.push_back(fact);
        ++newFacts_;
    }
}

int DailySession::length() const
{
    return std::min(kSessionLength, asked() + static_cast<int>(queue_.size() + returns_.size()));
}

std::optional<Fact> DailySession::takeReturn(bool onlyOverdue)
{
    auto best = returns_.end();
    for (auto it = returns_.begin(); it != returns_.end(); ++it) {
        const bool ready = onlyOverdue ? it->latest <= asked() : it->earliest <= asked();
        if (ready && (best == returns_.end() || it->latest < best->latest))
            best = it;
    }
    if (best == returns_.end())
        return std::nullopt;
    const Fact fact = best->fact;
    returns_.erase(best);
    return fact;
}

std::optional<Fact> DailySession::next()
{
    if (asked() >= kSessionLength)
        return std::nullopt;
    std::optional<Fact> fact = takeReturn(true);
    if (!fact)
        fact = takeReturn(false);
    if (!fact && !queue_.empty()) {
        fact = queue_.front();
        queue_.pop_front();
    }
    if (!fact && !returns_.empty()) {
        // Nothing else is left to put between: the fact comes back sooner.
        fact = returns_.front().fact;
        returns_.erase(returns_.begin());
    }
    if (!fact)
        return std::nullopt;
    ++asks_[static_cast<std::size_t>(fact->index())];
    asked_.push_back(*fact);
    return fact;
}

void DailySession::answered(const Fact& fact, int box)
{
    ++answered_;
    if (box != 1 || asks_[static_cast<std::size_t>(fact.index())] >= kMaxAsksPerSession)
        return;
    // asked() already counts this question: it stood at position asked() - 1.
    const int position = asked() - 1;
    // Too late in the session: the fact waits in box 1 for the next one.
    if (position + kReturnAfterMin + 1 >= kSessionLength)
        return;
    returns_.push_back({fact, position + kReturnAfterMin + 1, position + kReturnAfterMax + 1});
    // A return takes the place of the last question planned.
    if (asked() + static_cast<int>(queue_.size() + returns_.size()) > kSessionLength && !queue_.empty())
        queue_.pop_back();
}

} // namespace zorvel::facts

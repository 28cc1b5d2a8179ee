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
        return std::make_tuple(!sx.missedLastTime(), sx.due, sx.box) <
               std::make_tuple(!sy.missedLastTime(), sy.due, sy.box);
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
        std::sort(fresh.begin() + static_cast<std::ptrdiff_t>(from), fresh.end(),
                  [](const Fact& x, const Fact& y) { return teachingRank(x) < teachingRank(y); });
    }
    return fresh;
}

DailySession::DailySession(const FactBook& book, const PracticePlan& plan, Day today, const RandomBelow& random)
    : asks_(kFactCount, 0)
{
    std::vector<Fact> missed;
    std::vector<Fact> rest;
    for (const Fact& fact : dueFacts(book, plan, today)) {
        if (static_cast<int>(missed.size() + rest.size()) == kSessionLength)
            break;
        (book.state(fact).missedLastTime() ? missed : rest).push_back(fact);
    }
    const int newAllowed = std::max(0, kNewFactsPerDay - book.newFactsOn(today));
    for (const Fact& fact : newFactsInOrder(book, plan)) {
        if (static_cast<int>(missed.size() + rest.size()) == kSessionLength || newFacts_ == newAllowed)
            break;
        rest.push_back(fact);
        ++newFacts_;
    }
    missed = shuffledApart(std::move(missed), random);
    rest = shuffledApart(std::move(rest), random,
                         missed.empty() ? std::nullopt : std::optional<Fact>(missed.back()));
    queue_.assign(missed.begin(), missed.end());
    queue_.insert(queue_.end(), rest.begin(), rest.end());
}

int DailySession::length() const
{
    return asked() + static_cast<int>(queue_.size() + returns_.size());
}

bool DailySession::apartFromLast(const Fact& fact) const
{
    return asked_.empty() || !sameFamily(asked_.back(), fact);
}

std::optional<Fact> DailySession::takeReturn(Readiness readiness, bool apart)
{
    auto best = returns_.end();
    for (auto it = returns_.begin(); it != returns_.end(); ++it) {
        const bool ready = readiness == Readiness::Any ||
                           (readiness == Readiness::Overdue ? it->latest : it->earliest) <= asked();
        if (ready && (!apart || apartFromLast(it->fact)) && (best == returns_.end() || it->latest < best->latest))
            best = it;
    }
    if (best == returns_.end())
        return std::nullopt;
    const Fact fact = best->fact;
    returns_.erase(best);
    return fact;
}

std::optional<Fact> DailySession::takeQueued(bool apart)
{
    const auto it = apart ? std::find_if(queue_.begin(), queue_.end(), [this](const Fact& f) { return apartFromLast(f); })
                          : queue_.begin();
    if (it == queue_.end())
        return std::nullopt;
    const Fact fact = *it;
    queue_.erase(it);
    return fact;
}

std::optional<Fact> DailySession::choose()
{
    for (bool apart : {true, false}) {
        for (Readiness readiness : {Readiness::Overdue, Readiness::Ready}) {
            if (std::optional<Fact> fact = takeReturn(readiness, apart))
                return fact;
        }
        if (std::optional<Fact> fact = takeQueued(apart))
            return fact;
    }
    // Nothing else is left to put between: a missed fact comes back sooner.
    for (bool apart : {true, false}) {
        if (std::optional<Fact> fact = takeReturn(Readiness::Any, apart))
            return fact;
    }
    return std::nullopt;
}

std::optional<Fact> DailySession::next()
{
    const std::optional<Fact> fact = choose();
    if (!fact)
        return std::nullopt;
    ++asks_[static_cast<std::size_t>(fact->index())];
    asked_.push_back(*fact);
    return fact;
}

bool DailySession::answered(const Fact& fact, int box)
{
    ++answered_;
    if (box != 1 || asks_[static_cast<std::size_t>(fact.index())] >= kMaxAsksPerSession ||
        returnsAdded_ == kMaxReturnsPerSession)
        return false;
    // asked() already counts this question: it stood at position asked() - 1.
    const int position = asked() - 1;
    // Too late in the session: the fact waits in box 1 for the next one.
    if (position + kReturnAfterMin + 1 >= kSessionLength)
        return false;
    returns_.push_back({fact, position + kReturnAfterMin + 1, position + kReturnAfterMax + 1});
    ++returnsAdded_;
    return true;
}

} // namespace zorvel::facts

// The session of a day: 20 questions, or fewer when less is due. The facts
// missed the last time they were practised come first, then the other facts
// that are due (most overdue first), then new facts in teaching order (at
// most 20 new facts a day); the questions are shuffled within the first
// group and within the rest, keeping a fact's family apart. No fact is asked
// before it is due. A fact that lands in box 1 comes back in the same
// session after 3 to 5 other questions (sooner when nothing else is left, a
// little later when the fact next in line is of its family), adding one
// question to the session; a fact that lands there too late in the session
// waits for the next one. No fact is asked more than 3 times in a session.
#pragma once

#include "facts/fact_book.h"
#include "facts/session_order.h"

#include <deque>
#include <optional>
#include <vector>

namespace zorvel::facts {

inline constexpr int kSessionLength = 20;
inline constexpr int kNewFactsPerDay = 20;
inline constexpr int kMaxAsksPerSession = 3;
// Returns of missed facts added to a session at most.
inline constexpr int kMaxReturnsPerSession = 10;

// A pupil's plan: the sets practised and the speed setting.
struct PracticePlan {
    std::vector<FactSet> sets = {FactSet::Mul};
    Speed speed = Speed::Standard;

    bool includes(FactSet set) const;
};

class DailySession {
public:
    DailySession(const FactBook& book, const PracticePlan& plan, Day today, const RandomBelow& random);

    // Nothing due and no new fact left: "今天的练习已经完成".
    bool nothingToDo() const { return asked_.empty() && queue_.empty(); }
    // The questions of the session: those planned and the returns added so far.
    int length() const;
    // New facts among the planned questions, all of which are asked.
    int newFacts() const { return newFacts_; }
    int asked() const { return static_cast<int>(asked_.size()); }
    // The questions asked so far, in order.
    const std::vector<Fact>& askedFacts() const { return asked_; }
    // The question asked last, while its answer has not come.
    std::optional<Fact> unanswered() const
    {
        return answered_ < asked() ? std::optional<Fact>(asked_.back()) : std::nullopt;
    }

    // The next question, or none when the session is over.
    std::optional<Fact> next();
    // The box the answer to the question asked last put its fact in; true
    // when the fact comes back later in this session (one question more).
    bool answered(const Fact& fact, int box);

private:
    struct Return {
        Fact fact;
        int earliest;  // question positions (0-based)
        int latest;
    };
    enum class Readiness { Overdue, Ready, Any };
    // The next question: a missed fact due back, else the next planned one;
    // one not of the family of the question asked last where there is one.
    std::optional<Fact> choose();
    // apart: only a fact not of the family of the question asked last.
    std::optional<Fact> takeReturn(Readiness readiness, bool apart);
    std::optional<Fact> takeQueued(bool apart);
    bool apartFromLast(const Fact& fact) const;

    std::deque<Fact> queue_;
    std::vector<Return> returns_;
    std::vector<int> asks_;  // per fact index
    std::vector<Fact> asked_;
    int answered_ = 0;
    int newFacts_ = 0;
    int returnsAdded_ = 0;
};

// The facts of the plan that are due on today: those missed the last time
// they were practised first, then most overdue first.
std::vector<Fact> dueFacts(const FactBook& book, const PracticePlan& plan, Day today);
// The facts of the plan never asked, in the order they are introduced:
// set by set, in teaching order.
std::vector<Fact> newFactsInOrder(const FactBook& book, const PracticePlan& plan);

} // namespace zorvel::facts

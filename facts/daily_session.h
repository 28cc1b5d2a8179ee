// The session of a day: up to 20 questions. Facts that land in box 1 come
// back in the same session after 3 to 5 other questions (sooner when nothing
// else is left; a fact that lands there too late in the session waits for the
// next one); the rest of the session is the facts that are due, most overdue first, then new facts (at
// most 20 new facts a day). No fact is asked more than 3 times in a session,
// and no fact is asked before it is due.
#pragma once

#include "facts/fact_book.h"

#include <deque>
#include <optional>
#include <vector>

namespace zorvel::facts {

inline constexpr int kSessionLength = 20;
inline constexpr int kNewFactsPerDay = 20;
inline constexpr int kMaxAsksPerSession = 3;

// A pupil's plan: the sets practised and the speed setting.
struct PracticePlan {
    std::vector<FactSet> sets = {FactSet::Mul};
    Speed speed = Speed::Standard;

    bool includes(FactSet set) const;
};

class DailySession {
public:
    DailySession(const FactBook& book, const PracticePlan& plan, Day today);

    // Nothing due and no new fact left: "今天的练习已经完成".
    bool nothingToDo() const { return queue_.empty(); }
    // The questions planned now (20 unless there is less to practise).
    int length() const;
    // New facts among the planned questions.
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
    // The box the answer to the question asked last put its fact in.
    void answered(const Fact& fact, int box);

private:
    struct Return {
        Fact fact;
        int earliest;  // question positions (0-based)
        int latest;
    };
    std::optional<Fact> takeReturn(bool onlyOverdue);

    std::deque<Fact> queue_;
    std::vector<Return> returns_;
    std::vector<int> asks_;  // per fact index
    std::vector<Fact> asked_;
    int answered_ = 0;
    int newFacts_ = 0;
};

// The facts of the plan that are due on today, most overdue first.
std::vector<Fact> dueFacts(const FactBook& book, const PracticePlan& plan, Day today);
// The facts of the plan never asked, in the order they are introduced:
// set by set, small operands first.
std::vector<Fact> newFactsInOrder(const FactBook& book, const PracticePlan& plan);

} // namespace zorvel::facts

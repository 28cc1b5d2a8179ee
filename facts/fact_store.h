// What the daily practice keeps per pupil, as the window and the records
// window see it: the pupil's plan, the answers, and the book derived from
// them. The program's store keeps it in the pupils' record; MemoryFactStore
// keeps it in memory (tests, benchmarks, and a program without a record).
#pragma once

#include "facts/daily_session.h"
#include "facts/fact_book.h"

#include <vector>

namespace zorvel::facts {

class FactStore {
public:
    virtual ~FactStore() = default;
    // The current pupil's plan and book.
    virtual PracticePlan plan() = 0;
    virtual void setPlan(const PracticePlan& plan) = 0;
    virtual FactBook book() = 0;
    // An answer of the current pupil; the book follows it at once.
    virtual void recordAnswer(const FactAnswer& answer) = 0;
};

class MemoryFactStore final : public FactStore {
public:
    PracticePlan plan() override { return plan_; }
    void setPlan(const PracticePlan& plan) override { plan_ = plan; }
    FactBook book() override { return book_; }
    void recordAnswer(const FactAnswer& answer) override
    {
        answers_.push_back(answer);
        book_.apply(answer);
    }
    const std::vector<FactAnswer>& answers() const { return answers_; }

private:
    PracticePlan plan_;
    FactBook book_;
    std::vector<FactAnswer> answers_;
};

} // namespace zorvel::facts

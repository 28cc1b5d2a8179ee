// What the daily practice keeps per pupil, as the window and the records
// window see it: the pupil's plan, the answers, and the book derived from
// them. The program's store keeps it in the pupils' record; MemoryFactStore
// keeps it in memory (tests, benchmarks, and a program without a record).
#pragma once

#include "facts/daily_session.h"
#include "facts/fact_book.h"

#include <string>
#include <utility>
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
    // Why the latest plan() or book() could not be read whole (UTF-8), or
    // empty when they were: a plan built on part of the book would ask
    // mastered facts again as if they were new.
    virtual std::string unreadReason() const { return {}; }
    // Whether answers wait in memory because another program holds the
    // record locked: book() lacks them until they are written.
    virtual bool busy() const { return false; }
    // Any pupil's plan and book by the record's pupil id, for the records
    // window, which shows a pupil without making them the one practising. A
    // store of one pupil has only its own.
    virtual PracticePlan planOf(long long /*pupil*/) { return plan(); }
    virtual void setPlanOf(long long /*pupil*/, const PracticePlan& plan) { setPlan(plan); }
    virtual FactBook bookOf(long long /*pupil*/) { return book(); }
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
    std::string unreadReason() const override { return unreadReason_; }
    void setUnreadReason(std::string reason) { unreadReason_ = std::move(reason); }
    bool busy() const override { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }

private:
    std::string unreadReason_;
    bool busy_ = false;
    PracticePlan plan_;
    FactBook book_;
    std::vector<FactAnswer> answers_;
};

} // namespace zorvel::facts

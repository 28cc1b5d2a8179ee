// What 达标测试 remembers, read from the pupils' record: the current pupil's
// personal best of each test (the best result that passed) and the test the
// pupil took last. Nothing is kept apart from the record: a result recorded
// is remembered.
#pragma once

#include "fluency/history.h"
#include "records/record_store.h"

#include <functional>

namespace zorvel {

class RecordFluencyHistory final : public fluency::History {
public:
    // The store, asked each time (it is opened after the menu); none: the
    // history kept while the program runs.
    explicit RecordFluencyHistory(std::function<records::RecordStore*()> store);

    std::optional<fluency::PersonalBest> personalBest(const QString& choice) override;
    void keepPersonalBest(const QString& choice, const fluency::PersonalBest& best) override;
    QString lastChoice() override;
    void rememberChoice(const QString& choice) override;

private:
    std::function<records::RecordStore*()> store_;
    fluency::MemoryHistory unrecorded_;
};

} // namespace zorvel

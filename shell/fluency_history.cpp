// 达标测试's history over the record store, or in memory without one.
#include "shell/fluency_history.h"

namespace zorvel {

RecordFluencyHistory::RecordFluencyHistory(std::function<records::RecordStore*()> store) : store_(std::move(store)) {}

std::optional<fluency::PersonalBest> RecordFluencyHistory::personalBest(const QString& choice)
{
    records::RecordStore* store = store_ ? store_() : nullptr;
    if (!store)
        return unrecorded_.personalBest(choice);
    // The results just recorded are read too.
    store->flush();
    const std::optional<records::FluencyBest> best = store->fluencyBest(store->currentPupil().id, choice);
    if (!best)
        return std::nullopt;
    return fluency::PersonalBest{best->correct, best->elapsedMs, best->when};
}

void RecordFluencyHistory::keepPersonalBest(const QString& choice, const fluency::PersonalBest& best)
{
    // The record keeps every result; the best is read back from them.
    if (!store_ || !store_())
        unrecorded_.keepPersonalBest(choice, best);
}

QString RecordFluencyHistory::lastChoice()
{
    records::RecordStore* store = store_ ? store_() : nullptr;
    if (!store)
        return unrecorded_.lastChoice();
    store->flush();
    const QString taken = store->lastFluencyTest(store->currentPupil().id);
    return taken.isEmpty() ? unrecorded_.lastChoice() : taken;
}

void RecordFluencyHistory::rememberChoice(const QString& choice)
{
    // Until the chosen test is taken, the choice holds while the program runs.
    unrecorded_.rememberChoice(choice);
}

} // namespace zorvel

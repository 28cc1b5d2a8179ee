// What a 达标测试 remembers of a pupil: the personal best of each test and
// the test chosen last. The window and the chooser see only this interface;
// the program hands in the pupils' record behind it.
#pragma once

#include "fluency/scoring.h"

#include <QHash>
#include <QString>

#include <optional>

namespace zorvel::fluency {

class History {
public:
    virtual ~History() = default;
    // Under FluencyTest::choice().
    virtual std::optional<PersonalBest> personalBest(const QString& choice) = 0;
    virtual void keepPersonalBest(const QString& choice, const PersonalBest& best) = 0;
    // Empty when nothing was chosen yet.
    virtual QString lastChoice() = 0;
    virtual void rememberChoice(const QString& choice) = 0;
};

// A history kept while the program runs, for a program without a record.
class MemoryHistory final : public History {
public:
    std::optional<PersonalBest> personalBest(const QString& choice) override
    {
        const auto found = bests_.constFind(choice);
        return found == bests_.constEnd() ? std::nullopt : std::optional<PersonalBest>(*found);
    }
    void keepPersonalBest(const QString& choice, const PersonalBest& best) override { bests_.insert(choice, best); }
    QString lastChoice() override { return lastChoice_; }
    void rememberChoice(const QString& choice) override { lastChoice_ = choice; }

private:
    QHash<QString, PersonalBest> bests_;
    QString lastChoice_;
};

} // namespace zorvel::fluency

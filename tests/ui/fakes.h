// Fakes for the drill-window tests: a clock the test moves by hand, a random
// source with a fixed seed, a voice and a prompt sound that record what they
// are given, and a message box that records instead of waiting.
#pragma once

#include "normal_drill/drill_services.h"

#include <QStringList>

#include <memory>

namespace zorvel::testing {

class ManualClock final : public MonotonicClock {
public:
    qint64 nowMs() const override { return now; }
    qint64 now = 1000;
};

struct Recorder {
    QStringList sentences;        // handed to the voice
    int prompts = 0;              // prompt sounds played
    QStringList messages;         // "title|text" of each message box
    bool voiceAvailable = true;
    int voicesCreated = 0;
};

struct Fakes {
    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<Recorder> record = std::make_shared<Recorder>();
    quint64 seed = 20200101;
    DrillServices services() const;
};

} // namespace zorvel::testing

// The recording fakes behind DrillServices.
#include "fakes.h"

namespace zorvel::testing {

namespace {

class FixedSeedRandom final : public RandomSource {
public:
    explicit FixedSeedRandom(quint64 seed) : inner_(seed) {}
    double next() override { return inner_.next(); }
    void reseedFromClock() override {}

private:
    SeededRandom inner_;
};

class RecordingVoice final : public Voice {
public:
    explicit RecordingVoice(std::shared_ptr<Recorder> record) : record_(std::move(record)) {}
    void speak(const QString& sentence) override
    {
        if (record_->voiceAvailable)
            record_->sentences << sentence;
    }
    bool isAvailable() const override { return record_->voiceAvailable; }

private:
    std::shared_ptr<Recorder> record_;
};

class RecordingPrompt final : public PromptSound {
public:
    explicit RecordingPrompt(std::shared_ptr<Recorder> record) : record_(std::move(record)) {}
    void play() override { ++record_->prompts; }

private:
    std::shared_ptr<Recorder> record_;
};

} // namespace

DrillServices Fakes::services() const
{
    DrillServices s;
    const quint64 seed = this->seed;
    s.clock = clock;
    auto record = this->record;
    s.randomSource = [seed] { return std::make_unique<FixedSeedRandom>(seed); };
    s.voice = [record]() -> std::unique_ptr<Voice> {
        ++record->voicesCreated;
        return std::make_unique<RecordingVoice>(record);
    };
    s.promptSound = [record] { return std::make_unique<RecordingPrompt>(record); };
    s.showMessage = [record](QWidget*, const QString& title, const QString& text) {
        record->messages << title + QLatin1Char('|') + text;
    };
    return s;
}

} // namespace zorvel::testing

// The one thread that owns a synthesiser: it initialises the engine, then runs
// the jobs posted to it one after another, first in, first out.
#pragma once

#include "speech/synthesizer.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace zorvel {

// What the worker learns once, when its engine starts.
struct EngineStartup {
    bool ready = false;
    int sampleRate = 0;
    std::vector<InstalledVoice> voices;
    std::optional<VoiceChoice> choice;
};

class SynthesisWorker {
public:
    using Job = std::function<void(Synthesizer&)>;

    explicit SynthesisWorker(std::unique_ptr<Synthesizer> synthesizer);
    // Finishes the job in hand, drops the others and ends the thread.
    ~SynthesisWorker();
    SynthesisWorker(const SynthesisWorker&) = delete;
    SynthesisWorker& operator=(const SynthesisWorker&) = delete;

    // Returns at once. Jobs run even when the engine failed to start: they
    // find that out from startup() and leave the synthesiser alone.
    void post(Job job);
    // Waits for the engine to start, which happens before any job runs; never
    // called on an interface thread (starting can take as long as the sound
    // server takes to answer).
    const EngineStartup& startup() const;
    // Without waiting: true once the engine is known to have no usable voice.
    bool knownSilent() const;

    // The libespeak-ng worker of this process, started on first use and kept
    // to the end of the process.
    static SynthesisWorker& espeak();

private:
    void run();

    std::unique_ptr<Synthesizer> synthesizer_;
    std::promise<EngineStartup> startupPromise_;
    std::shared_future<EngineStartup> startup_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zorvel

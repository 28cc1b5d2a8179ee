// The synthesis thread and its job queue.
#include "speech/synthesis_worker.h"

#include "speech/espeak_synthesizer.h"

#include <chrono>

namespace zorvel {

SynthesisWorker::SynthesisWorker(std::unique_ptr<Synthesizer> synthesizer)
    : synthesizer_(std::move(synthesizer))
    , startup_(startupPromise_.get_future().share())
    , thread_([this] { run(); })
{
}

SynthesisWorker::~SynthesisWorker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_one();
    thread_.join();
}

void SynthesisWorker::post(Job job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

const EngineStartup& SynthesisWorker::startup() const
{
    return startup_.get();
}

bool SynthesisWorker::knownSilent() const
{
    if (startup_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return false;
    return !startup_.get().ready || !startup_.get().choice;
}

SynthesisWorker& SynthesisWorker::espeak()
{
    // Never destroyed: libespeak-ng cannot be started again once stopped, and
    // windows may still post to it while the process ends.
    static SynthesisWorker* worker = new SynthesisWorker(std::make_unique<EspeakSynthesizer>());
    return *worker;
}

void SynthesisWorker::run()
{
    EngineStartup startup;
    startup.ready = synthesizer_->initialise();
    if (startup.ready) {
        startup.sampleRate = synthesizer_->sampleRate();
        startup.voices = synthesizer_->voices();
        startup.choice = chooseVoice(startup.voices);
    }
    startupPromise_.set_value(std::move(startup));
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(*synthesizer_);
    }
}

} // namespace zorvel

// Test doubles for the speech engine and the audio output.
#pragma once

#include "speech/engine_voice.h"
#include "speech/pcm_output.h"
#include "speech/synthesizer.h"

#include <QMetaType>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zorvel::testing {

// Holds whoever waits on it until it is opened, like a sound server that does
// not answer. A limit keeps a faulty program from hanging the test; a wait
// that ran into it is recorded.
class Gate {
public:
    void wait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!opened_.wait_for(lock, std::chrono::seconds(20), [this] { return open_; }))
            timedOut_ = true;
    }
    void open()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    bool timedOut()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return timedOut_;
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
    bool timedOut_ = false;
};

// A synthesiser that "speaks" a text as a run of samples, 20 per byte,
// each sample holding the text's length so that runs can be told apart.
class FakeSynthesizer : public Synthesizer {
public:
    struct Record {
        std::mutex mutex;
        std::vector<std::string> voices; // the voice selected for each text
        std::vector<std::string> texts;
    };

    static constexpr int kSamplesPerByte = 20;

    FakeSynthesizer(bool starts, std::vector<InstalledVoice> voices, std::shared_ptr<Record> record,
                    std::shared_ptr<Gate> startGate = nullptr)
        : starts_(starts), voices_(std::move(voices)), record_(std::move(record)), startGate_(std::move(startGate)) {}

    bool initialise() override
    {
        if (startGate_)
            startGate_->wait();
        return starts_;
    }
    int sampleRate() const override { return 16000; }
    std::vector<InstalledVoice> voices() override { return voices_; }
    bool selectVoice(const InstalledVoice& voice) override
    {
        selected_ = voice.name;
        return true;
    }
    bool synthesise(const std::string& text, const SampleSink& sink) override
    {
        {
            std::lock_guard<std::mutex> lock(record_->mutex);
            record_->voices.push_back(selected_);
            record_->texts.push_back(text);
        }
        std::vector<std::int16_t> chunk(64, static_cast<std::int16_t>(text.size()));
        std::size_t left = text.size() * kSamplesPerByte;
        while (left > 0) {
            const std::size_t n = std::min(left, chunk.size());
            if (!sink(chunk.data(), n))
                return false;
            left -= n;
        }
        return true;
    }

private:
    bool starts_;
    std::vector<InstalledVoice> voices_;
    std::shared_ptr<Record> record_;
    std::shared_ptr<Gate> startGate_;
    std::string selected_;
};

// Records utterances. While held, write() blocks as a device playing in real
// time would keep the synthesis thread busy; close() lets go.
class RecordingOutput : public PcmOutput {
public:
    explicit RecordingOutput(bool available = true, std::shared_ptr<Gate> deviceGate = nullptr)
        : available_(available), deviceGate_(std::move(deviceGate)) {}

    bool isAvailable() const override
    {
        if (deviceGate_)
            deviceGate_->wait();
        return available_;
    }

    void write(int, const std::int16_t* samples, std::size_t count) override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (closed_)
            return;
        current_.insert(current_.end(), samples, samples + count);
        ++writes_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return !held_ || closed_; });
    }

    void endUtterance(std::function<void()> heard) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_)
            return;
        utterances_.push_back(std::move(current_));
        current_.clear();
        if (heard)
            heard();
    }

    void clear() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        current_.clear();
    }

    void close() override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        changed_.notify_all();
    }

    void hold(bool held)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = held;
        changed_.notify_all();
    }

    int writes() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return writes_;
    }

    std::vector<std::vector<std::int16_t>> utterances() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return utterances_;
    }

private:
    bool available_;
    std::shared_ptr<Gate> deviceGate_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::int16_t> current_;
    std::vector<std::vector<std::int16_t>> utterances_;
    int writes_ = 0;
    bool held_ = false;
    bool closed_ = false;
};

inline InstalledVoice pinyinVoice()
{
    return {"Chinese (Mandarin, latin as Pinyin)", "sit/cmn-Latn-pinyin", {"cmn-latn-pinyin", "zh-cmn", "zh"}};
}

inline InstalledVoice englishVoice()
{
    return {"English (Great Britain)", "gmw/en", {"en-gb", "en"}};
}

// A voice on a fake engine of its own, writing to a recording output.
struct Rig {
    explicit Rig(std::vector<InstalledVoice> voices = {pinyinVoice()}, bool starts = true,
                 bool deviceAvailable = true)
        : record(std::make_shared<FakeSynthesizer::Record>())
        , worker(std::make_unique<FakeSynthesizer>(starts, std::move(voices), record))
        , output(std::make_shared<RecordingOutput>(deviceAvailable))
        , voice(std::make_unique<EngineVoice>(worker, output))
    {
    }

    std::vector<std::string> texts()
    {
        std::lock_guard<std::mutex> lock(record->mutex);
        return record->texts;
    }

    std::shared_ptr<FakeSynthesizer::Record> record;
    SynthesisWorker worker;
    std::shared_ptr<RecordingOutput> output;
    std::unique_ptr<EngineVoice> voice;
};

} // namespace zorvel::testing

Q_DECLARE_METATYPE(std::vector<zorvel::InstalledVoice>)

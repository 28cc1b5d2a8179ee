// The audio thread, the queue between the synthesis worker and the sound
// device, and the QAudioSink that pulls from it.
#include "speech/speaker_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <deque>
#include <future>
#include <mutex>
#include <vector>

namespace zorvel {
namespace {

constexpr int kBufferMs = 250;
// Silence after each utterance: a pause between sentences, and enough data
// for the server to start playing however short the utterance.
constexpr int kPauseMs = 300;
constexpr int kPlayedCheckMs = 20;
constexpr auto kDeviceCheckLimit = std::chrono::seconds(3);
// How long the end of the program waits for the audio thread. A sound server
// that never answers keeps that thread inside PulseAudio's connect for about
// 30 s; the program then ends without it.
constexpr int kAudioThreadExitWaitMs = 250;

std::mutex audioThreadMutex;
QThread* audioThreadInstance = nullptr;

void stopAudioThread()
{
    std::lock_guard<std::mutex> lock(audioThreadMutex);
    if (audioThreadInstance == nullptr)
        return;
    audioThreadInstance->quit();
    // A thread still stuck is left running (deleting it would abort); the
    // process ends around it.
    if (!audioThreadInstance->wait(QDeadlineTimer(kAudioThreadExitWaitMs)))
        return;
    delete audioThreadInstance;
    audioThreadInstance = nullptr;
}

QThread* audioThread()
{
    std::lock_guard<std::mutex> lock(audioThreadMutex);
    if (audioThreadInstance == nullptr) {
        audioThreadInstance = new QThread;
        audioThreadInstance->setObjectName(QStringLiteral("zorvel-audio"));
        audioThreadInstance->start();
        qAddPostRoutine(stopAudioThread);
    }
    return audioThreadInstance;
}

struct Chunk {
    QByteArray bytes;
    std::function<void()> heard; // set on the mark that ends an utterance
    bool endsUtterance = false;
};

struct UtteranceEnd {
    qint64 streamOffset = 0;
    std::function<void()> heard;
};

} // namespace

struct SpeakerQueue {
    std::mutex mutex;
    std::deque<Chunk> chunks;
    std::size_t offsetInFront = 0;
    qint64 pauseLeft = -1;
    qint64 pauseBytes = 0;
    // Bytes handed to the sink since it started, and where utterances end.
    qint64 streamBytes = 0;
    std::deque<UtteranceEnd> ends;
    int sampleRate = 0;
    bool wakePending = false;
    bool closed = false;

    // Held while callbacks run, so that close() can wait them out.
    std::mutex deliveryMutex;
    bool deliveryClosed = false;

    std::promise<bool> devicePromise;
    std::shared_future<bool> device = devicePromise.get_future().share();

    qint64 queuedBytes() const
    {
        qint64 total = 0;
        for (const Chunk& chunk : chunks)
            total += chunk.bytes.size();
        return total - static_cast<qint64>(offsetInFront);
    }

    // Fills `data` with queued audio and the pauses after utterances, and
    // notes where in the stream each utterance ended.
    qint64 take(char* data, qint64 capacity)
    {
        std::lock_guard<std::mutex> lock(mutex);
        capacity &= ~qint64(1);
        qint64 produced = 0;
        while (produced < capacity && !chunks.empty()) {
            Chunk& front = chunks.front();
            if (front.endsUtterance) {
                if (pauseLeft < 0) {
                    pauseLeft = pauseBytes;
                    ends.push_back({streamBytes + produced, std::move(front.heard)});
                }
                const qint64 n = std::min(pauseLeft, capacity - produced);
                std::fill(data + produced, data + produced + n, 0);
                produced += n;
                pauseLeft -= n;
                if (pauseLeft > 0)
                    break;
                pauseLeft = -1;
                chunks.pop_front();
                continue;
            }
            const qint64 left = front.bytes.size() - static_cast<qint64>(offsetInFront);
            const qint64 n = std::min(left, capacity - produced);
            std::copy_n(front.bytes.constData() + offsetInFront, n, data + produced);
            produced += n;
            offsetInFront += static_cast<std::size_t>(n);
            if (offsetInFront == static_cast<std::size_t>(front.bytes.size())) {
                chunks.pop_front();
                offsetInFront = 0;
            }
        }
        streamBytes += produced;
        return produced;
    }

    // Takes the callbacks of utterances played up to `playedBytes`.
    std::vector<std::function<void()>> takeHeard(qint64 playedBytes)
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<std::function<void()>> heard;
        while (!ends.empty() && ends.front().streamOffset <= playedBytes) {
            if (ends.front().heard)
                heard.push_back(std::move(ends.front().heard));
            ends.pop_front();
        }
        return heard;
    }

    bool idle()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return chunks.empty() && ends.empty();
    }

    void startStream(qint64 pause)
    {
        std::lock_guard<std::mutex> lock(mutex);
        streamBytes = 0;
        ends.clear();
        pauseBytes = pause;
    }

    void dropAll()
    {
        chunks.clear();
        ends.clear();
        offsetInFront = 0;
        pauseLeft = -1;
    }

    void deliver(std::vector<std::function<void()>>& heard)
    {
        std::lock_guard<std::mutex> lock(deliveryMutex);
        if (deliveryClosed)
            return;
        for (auto& callback : heard)
            callback();
    }
};

namespace {

class QueueDevice : public QIODevice {
public:
    QueueDevice(std::shared_ptr<SpeakerQueue> queue, QObject* parent)
        : QIODevice(parent)
        , queue_(std::move(queue))
    {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }

    qint64 bytesAvailable() const override
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        return queue_->queuedBytes() + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* data, qint64 capacity) override { return queue_->take(data, capacity); }

    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::shared_ptr<SpeakerQueue> queue_;
};

} // namespace

// Lives on the audio thread and owns the sink there.
class SpeakerPlayer : public QObject {
public:
    explicit SpeakerPlayer(std::shared_ptr<SpeakerQueue> queue)
        : queue_(std::move(queue))
        , device_(new QueueDevice(queue_, this))
        , playedCheck_(new QTimer(this))
    {
        playedCheck_->setInterval(kPlayedCheckMs);
        connect(playedCheck_, &QTimer::timeout, this, [this] { reportHeard(); });
    }

    ~SpeakerPlayer() override
    {
        deleteSink();
        if (!deviceChecked_)
            queue_->devicePromise.set_value(false);
    }

    void checkDevice()
    {
        deviceChecked_ = true;
        queue_->devicePromise.set_value(!QMediaDevices::defaultAudioOutput().isNull());
    }

    void wake()
    {
        int sampleRate = 0;
        {
            std::lock_guard<std::mutex> lock(queue_->mutex);
            queue_->wakePending = false;
            sampleRate = queue_->sampleRate;
        }
        playedCheck_->start();
        if (sink_ != nullptr && sink_->format().sampleRate() == sampleRate
            && sink_->state() != QAudio::StoppedState) {
            if (sink_->state() == QAudio::IdleState)
                emit device_->readyRead();
            return;
        }
        startSink(sampleRate);
    }

private:
    // Stops the sink before deleting it: the Qt 6.4 PulseAudio sink handles
    // pending events while it is destroyed, and a feed it had queued for
    // itself would otherwise run on its closed stream and abort the process
    // in pa_stream_writable_size.
    void deleteSink()
    {
        if (sink_ != nullptr)
            sink_->stop();
        delete sink_;
        sink_ = nullptr;
    }

    void startSink(int sampleRate)
    {
        deleteSink();
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || sampleRate <= 0) {
            dropQueued();
            return;
        }
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = new QAudioSink(output, format, this);
        sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
        queue_->startStream(format.bytesForDuration(kPauseMs * 1000));
        sink_->start(device_);
        if (sink_->state() == QAudio::StoppedState)
            dropQueued();
    }

    // The sink tells how much of the stream the server has played.
    void reportHeard()
    {
        if (sink_ == nullptr || sink_->state() == QAudio::StoppedState) {
            playedCheck_->stop();
            return;
        }
        const qint64 played = sink_->format().bytesForDuration(sink_->processedUSecs());
        std::vector<std::function<void()>> heard = queue_->takeHeard(played);
        if (!heard.empty())
            queue_->deliver(heard);
        if (queue_->idle())
            playedCheck_->stop();
    }

    void dropQueued()
    {
        std::lock_guard<std::mutex> lock(queue_->mutex);
        queue_->dropAll();
    }

    std::shared_ptr<SpeakerQueue> queue_;
    QueueDevice* device_;
    QAudioSink* sink_ = nullptr;
    QTimer* playedCheck_;
    bool deviceChecked_ = false;
};

SpeakerOutput::SpeakerOutput()
    : queue_(std::make_shared<SpeakerQueue>())
    , player_(new SpeakerPlayer(queue_))
{
    player_->moveToThread(audioThread());
    SpeakerPlayer* player = player_;
    QMetaObject::invokeMethod(player, [player] { player->checkDevice(); }, Qt::QueuedConnection);
}

SpeakerOutput::~SpeakerOutput()
{
    close();
}

bool SpeakerOutput::isAvailable() const
{
    return queue_->device.wait_for(kDeviceCheckLimit) == std::future_status::ready && queue_->device.get();
}

void SpeakerOutput::write(int sampleRate, const std::int16_t* samples, std::size_t count)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (queue_->closed || count == 0)
        return;
    queue_->sampleRate = sampleRate;
    queue_->chunks.push_back(
        {QByteArray(reinterpret_cast<const char*>(samples), static_cast<qsizetype>(count * sizeof(std::int16_t))),
         nullptr, false});
    wakePlayer();
}

void SpeakerOutput::endUtterance(std::function<void()> heard)
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (queue_->closed)
        return;
    queue_->chunks.push_back({QByteArray(), std::move(heard), true});
    wakePlayer();
}

void SpeakerOutput::clear()
{
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->dropAll();
}

void SpeakerOutput::close()
{
    {
        std::lock_guard<std::mutex> lock(queue_->deliveryMutex);
        queue_->deliveryClosed = true;
    }
    std::lock_guard<std::mutex> lock(queue_->mutex);
    if (queue_->closed)
        return;
    queue_->closed = true;
    queue_->dropAll();
    player_->deleteLater();
    player_ = nullptr;
}

// Called with the queue locked, so that the player cannot be closed meanwhile.
void SpeakerOutput::wakePlayer()
{
    if (queue_->wakePending)
        return;
    queue_->wakePending = true;
    SpeakerPlayer* player = player_;
    QMetaObject::invokeMethod(player, [player] { player->wake(); }, Qt::QueuedConnection);
}

} // namespace zorvel

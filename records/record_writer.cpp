// The writer thread's loop: open (waiting out a lock), then run queued work
// until asked to stop with an empty queue.
#include "records/record_writer.h"

namespace zorvel::records {

namespace {

// How long the writer sleeps between two tries on a locked record.
constexpr std::chrono::milliseconds kLockPause{50};

} // namespace

RecordWriter::RecordWriter(Opener open, Closer close, FailureSink onFailure, Replaced replaced)
    : onFailure_(std::move(onFailure)), replaced_(std::move(replaced))
{
    thread_ = std::thread([this, open = std::move(open), close = std::move(close)] { loop(open, close); });
}

RecordWriter::~RecordWriter()
{
    stop();
}

void RecordWriter::stop()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        giveUpAt_ = std::chrono::steady_clock::now() + kExitWait;
    }
    wake_.notify_all();
    thread_.join();
}

void RecordWriter::enqueue(Task task)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void RecordWriter::post(Work work, QJsonObject call)
{
    enqueue([this, work = std::move(work), call = std::move(call)](RecordWrites* writes) {
        if (writes && untilUnlocked([&] { work(*writes); }, nullptr))
            return;
        const std::lock_guard<std::mutex> lock(mutex_);
        if (gaveUp_ && !call.isEmpty())
            unwritten_.push_back(call);
    });
}

std::vector<QJsonObject> RecordWriter::unwritten() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return unwritten_;
}

bool RecordWriter::waitFor(const std::function<bool()>& done)
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [&] { return locked_ || done(); });
    return done();
}

bool RecordWriter::flush()
{
    // While the record is still being opened (a migration may take seconds)
    // nobody waits for it either.
    return waitFor([this] { return !openDone_ || (queue_.empty() && !busy_); }) && openDone_;
}

void RecordWriter::waitUntilWritten()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

bool RecordWriter::waitUntilOpen()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return opened_ || locked_ || !busy_; });
    return opened_;
}

bool RecordWriter::locked() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return locked_;
}

void RecordWriter::setLocked(bool locked)
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (locked_ == locked)
            return;
        locked_ = locked;
    }
    idle_.notify_all();
}

bool RecordWriter::waitOutLock()
{
    setLocked(true);
    std::unique_lock<std::mutex> lock(mutex_);
    const auto timeToGiveUp = [this] { return stopping_ && std::chrono::steady_clock::now() >= giveUpAt_; };
    if (gaveUp_ || timeToGiveUp()) {
        gaveUp_ = true;
        return false;
    }
    wake_.wait_for(lock, kLockPause, timeToGiveUp);
    return true;
}

bool RecordWriter::untilUnlocked(const std::function<void()>& step, const std::atomic<bool>* dropped)
{
    for (;;) {
        if (dropped && dropped->load())
            return false;
        {
            // Once the closing writer has given up, the rest is dropped
            // untried: each try would wait out the lock's timeout again.
            const std::lock_guard<std::mutex> lock(mutex_);
            if (gaveUp_)
                return false;
        }
        try {
            step();
            setLocked(false);
            return true;
        } catch (const SqlFailure& failure) {
            if (failure.kind() != Failure::Locked) {
                onFailure_(failure);
                return true;
            }
        }
        if (!waitOutLock())
            return false;
    }
}

std::unique_ptr<RecordWrites> RecordWriter::openWithRetries(const Opener& open)
{
    std::unique_ptr<RecordWrites> writes;
    untilUnlocked([&] { writes = std::make_unique<RecordWrites>(open()); }, nullptr);
    return writes;
}

void RecordWriter::loop(Opener open, Closer close)
{
    std::unique_ptr<RecordWrites> writes = openWithRetries(open);
    std::unique_lock<std::mutex> lock(mutex_);
    opened_ = writes != nullptr;
    openDone_ = true;
    busy_ = false;
    idle_.notify_all();
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            break;
        Task task = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        if (writes && replaced_ && replaced_()) {
            writes.reset();
            writes = openWithRetries(open);
        }
        task(writes.get());
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
    lock.unlock();
    writes.reset();
    close();
}

} // namespace zorvel::records

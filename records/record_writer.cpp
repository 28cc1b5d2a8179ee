// The writer thread's loop: open, then run queued work until asked to stop
// with an empty queue.
#include "records/record_writer.h"

namespace zorvel::records {

RecordWriter::RecordWriter(const QString& path, const QString& connectionName, FailureSink onFailure)
    : connectionName_(connectionName), onFailure_(std::move(onFailure))
{
    thread_ = std::thread([this, path] { loop(path); });
}

RecordWriter::~RecordWriter()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
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

void RecordWriter::post(Work work)
{
    enqueue([this, work = std::move(work)](RecordWrites* writes) {
        if (!writes)
            return;
        try {
            work(*writes);
        } catch (const SqlFailure& failure) {
            onFailure_(failure);
        }
    });
}

void RecordWriter::flush()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void RecordWriter::loop(QString path)
{
    std::unique_ptr<RecordWrites> writes;
    try {
        writes = std::make_unique<RecordWrites>(openConnection(connectionName_, path, false));
    } catch (const SqlFailure& failure) {
        onFailure_(failure);
    }
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            break;
        Task task = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        task(writes.get());
        lock.lock();
        busy_ = false;
        if (queue_.empty())
            idle_.notify_all();
    }
    lock.unlock();
    writes.reset();
    closeConnection(connectionName_);
}

} // namespace zorvel::records

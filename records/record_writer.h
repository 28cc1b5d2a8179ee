// The store's writer: one thread with its own connection, fed by a queue, so
// that a drill never waits for the disk. Work posted here runs in order;
// call() waits for its result (for the records window's pupil changes).
#pragma once

#include "records/record_writes.h"
#include "records/sql_support.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

namespace zorvel::records {

class RecordWriter {
public:
    using Work = std::function<void(RecordWrites&)>;
    using FailureSink = std::function<void(const SqlFailure&)>;

    // Opens its connection to path on the new thread; a failure to open, and
    // every failed piece of work, goes to onFailure and the work is dropped.
    RecordWriter(const QString& path, const QString& connectionName, FailureSink onFailure);
    ~RecordWriter();  // runs everything queued, then closes
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void post(Work work);
    void flush();

    template <typename Result>
    Result call(std::function<Result(RecordWrites&)> work, Result fallback)
    {
        auto promise = std::make_shared<std::promise<Result>>();
        std::future<Result> result = promise->get_future();
        enqueue([this, work = std::move(work), fallback, promise](RecordWrites* writes) {
            Result value = fallback;
            if (writes) {
                try {
                    value = work(*writes);
                } catch (const SqlFailure& failure) {
                    onFailure_(failure);
                }
            }
            promise->set_value(std::move(value));
        });
        return result.get();
    }

private:
    using Task = std::function<void(RecordWrites*)>;  // null: no connection
    void enqueue(Task task);
    void loop(QString path);

    QString connectionName_;
    FailureSink onFailure_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Task> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace zorvel::records

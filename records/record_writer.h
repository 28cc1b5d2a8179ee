// The store's writer: one thread with its own connection, fed by a queue, so
// that nothing on screen ever waits for the disk. Work posted here runs in
// order. While another program holds the record locked, the work waits and is
// tried again until the lock goes, so nothing is lost; those who would wait
// for it on screen (flush(), call()) are let go at once instead.
#pragma once

#include "records/record_writes.h"
#include "records/sql_support.h"

#include <QJsonObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zorvel::records {

class RecordWriter {
public:
    using Work = std::function<void(RecordWrites&)>;
    using FailureSink = std::function<void(const SqlFailure&)>;
    // Runs on the writer thread: opens the connection and readies the record
    // (tried again while the record is locked). Throws SqlFailure.
    using Opener = std::function<QSqlDatabase()>;
    // Runs on the writer thread once, after the last work, to close the
    // connection (whether or not it was ever opened).
    using Closer = std::function<void()>;

    // How long the closing writer waits for a record still locked by another
    // program before it gives up what is left.
    static constexpr std::chrono::milliseconds kExitWait{2000};

    // A failure to open, and every failed piece of work, goes to onFailure
    // and the work is dropped (a lock is waited for instead).
    // replaced (on the writer thread, before each piece of work): whether
    // the record's file was replaced since it was opened (mended by another
    // copy); the writer then closes and opens the record again first.
    using Replaced = std::function<bool()>;
    RecordWriter(Opener open, Closer close, FailureSink onFailure, Replaced replaced = {});
    ~RecordWriter();  // runs everything queued (waiting kExitWait at most for a lock), then closes
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // call: the work as data (a store call), kept in unwritten() when the
    // closing writer gives up on the lock before the work is made.
    void post(Work work, QJsonObject call = {});
    // Runs everything queued (waiting kExitWait at most for a lock), then
    // closes; the destructor does it too.
    void stop();
    // After stop(): the calls given with post() that were never written.
    std::vector<QJsonObject> unwritten() const;
    // Waits until everything posted so far is written or dropped; returns
    // false at once instead while the record is still being opened or
    // another program holds it locked.
    bool flush();
    // Waits until everything posted so far is written or dropped, lock or not.
    void waitUntilWritten();
    // Waits until the record is open (true) or could not be opened or is
    // locked by another program (false).
    bool waitUntilOpen();
    bool locked() const;

    // Runs work on the writer thread and waits for its result; fallback (and
    // the work is dropped) when the record is locked or cannot be used.
    template <typename Result>
    Result call(std::function<Result(RecordWrites&)> work, Result fallback)
    {
        auto promise = std::make_shared<std::promise<Result>>();
        auto dropped = std::make_shared<std::atomic<bool>>(false);
        std::future<Result> result = promise->get_future();
        enqueue([this, work = std::move(work), fallback, promise, dropped](RecordWrites* writes) {
            Result value = fallback;
            if (writes)
                untilUnlocked([&] { value = work(*writes); }, dropped.get());
            promise->set_value(dropped->load() ? fallback : std::move(value));
        });
        if (waitFor([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }))
            return result.get();
        dropped->store(true);
        return fallback;
    }

private:
    using Task = std::function<void(RecordWrites*)>;  // null: no connection
    void enqueue(Task task);
    void loop(Opener open, Closer close);
    std::unique_ptr<RecordWrites> openWithRetries(const Opener& open);
    // Runs step (the opening or a piece of work), again and again while the
    // record is locked (until dropped or the closing writer gives up); other
    // failures go to onFailure.
    // false: dropped or given up, step never made.
    bool untilUnlocked(const std::function<void()>& step, const std::atomic<bool>* dropped);
    // After a lock: waits a moment; false when it is time to give up.
    bool waitOutLock();
    void setLocked(bool locked);
    // Waits until done() or a lock; true: done.
    bool waitFor(const std::function<bool()>& done);

    FailureSink onFailure_;
    Replaced replaced_;
    mutable std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Task> queue_;
    bool busy_ = true;  // opening
    bool opened_ = false;
    bool openDone_ = false;
    bool locked_ = false;
    bool stopping_ = false;
    bool gaveUp_ = false;
    std::chrono::steady_clock::time_point giveUpAt_;
    std::vector<QJsonObject> unwritten_;
    std::thread thread_;
};

} // namespace zorvel::records

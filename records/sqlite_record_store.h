// The record store over one SQLite file per user account. Drill reports go
// to a writer thread and return at once; reads run on the connection of the
// thread that made the store. A file that cannot be used leaves the store
// working without a record and problem() saying why; a corrupt file is
// renamed aside (records.db.broken-YYYYMMDD-hhmmss) and a fresh one begun.
#pragma once

#include "records/record_store.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace zorvel::records {

class ReadOnlyRecord;
class RecordReader;
class RecordWriter;
class SqlFailure;

class SqliteRecordStore final : public RecordStore {
public:
    // defaultPupilName names the first pupil of a new record.
    SqliteRecordStore(const QString& path, const QString& defaultPupilName);
    ~SqliteRecordStore() override;

    TestId beginTest(const Exercise& exercise, const QDateTime& started, bool redo) override;
    void recordQuestion(TestId test, int number, const QuestionShown& question) override;
    void recordAnswer(TestId test, int number, const QString& text, bool right, qint64 msSinceQuestion) override;
    void recordPlaybackReached(TestId test) override;
    void endTest(TestId test, TestEnd end, const QString& stopwatchText) override;
    std::vector<QuestionShown> redoQuestions(const Exercise& exercise) override;

    QString problem() const override;
    void flush() override;
    QString readProblem() const override { return readProblem_; }

    std::vector<Pupil> pupils() override;
    Pupil currentPupil() override;
    void setCurrentPupil(qint64 id) override;
    std::optional<Pupil> addPupil(const QString& name) override;
    bool renamePupil(qint64 id, const QString& name) override;
    std::pair<int, int> pupilRecordCount(qint64 id) override;
    bool removePupil(qint64 id) override;

    std::vector<TestRow> tests(const TestFilter& filter) override;
    std::vector<BestTime> bestTimes(qint64 pupil) override;
    std::vector<ChartPoint> chart(qint64 pupil, const QString& window, const QString& levelOption,
                                  const QString& numberType) override;
    std::vector<Mistake> mistakes(qint64 pupil) override;
    std::vector<TestRow> listeningTests(qint64 pupil) override;
    std::vector<ListeningQuestion> listeningQuestions(TestId test) override;
    void setInBook(qint64 questionId, bool inBook) override;

private:
    void open();
    void prepareFile();
    void openForReading();
    QString moveAside();
    QString checkMarker() const;  // present: check the whole file at the next start
    void noteFailure(const SqlFailure& failure);
    void refreshCurrentPupil();
    template <typename Result>
    Result read(const std::function<Result(const RecordReader&)>& query, Result fallback);

    const QString path_;
    const QString defaultName_;
    const QString connection_;
    bool ready_ = false;
    std::atomic<TestId> nextTest_{1};
    mutable std::mutex mutex_;  // guards problem_ and current_
    QString problem_;
    QString readProblem_;  // the latest read's failure (reads run on the caller's thread only)
    Pupil current_;
    std::unique_ptr<RecordWriter> writer_;
    std::unique_ptr<ReadOnlyRecord> readOnly_;  // a record that cannot be written is still shown
};

// <user data folder>/zorvel/records.db (GenericDataLocation, shared by the
// program and zorvel-records).
QString defaultDatabasePath();
// The account's full name (the GECOS field before its first comma), else "我".
QString defaultPupilName();

} // namespace zorvel::records

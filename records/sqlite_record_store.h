// The record store over one SQLite file per user account. Everything that
// writes (opening, with its checks, rescue and migration, too) runs on the
// writer thread, so nothing on screen waits for the file, even while another
// program holds it locked; reads run on a connection of the thread that made
// the store and never wait for a lock. A record that cannot be written is
// still read; problem() says why it is not written.
#pragma once

#include "facts/fact_store.h"
#include "records/record_session.h"
#include "records/record_store.h"

#include <QJsonObject>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace zorvel::records {

class ReadOnlyRecord;
class RecordReader;
class RecordWriter;
class RecordWrites;
class SqlFailure;

// It keeps the daily practice of the current pupil too (facts::FactStore).
class SqliteRecordStore final : public RecordStore, public facts::FactStore {
public:
    enum class Opening {
        Wait,          // the constructor returns once the record is open (or locked, or unusable)
        InBackground,  // it returns at once; opened() is called when the record is open
    };

    // defaultPupilName names the first pupil of a new record. opened runs on
    // the writer thread once the record has been opened or found unusable.
    SqliteRecordStore(const QString& path, const QString& defaultPupilName, Opening opening = Opening::Wait,
                      std::function<void()> opened = {});
    ~SqliteRecordStore() override;
    // Writes what is left (waiting a moment at most for another program's
    // lock) and closes. What could not be written is kept in a journal beside
    // the record, made at the next start; the text says so (empty: all written).
    QString close();

    TestId beginTest(const Exercise& exercise, const QDateTime& started, bool redo) override;
    void recordQuestion(TestId test, int number, const QuestionShown& question) override;
    void recordAnswer(TestId test, int number, const QString& text, bool right, qint64 msSinceQuestion) override;
    void recordPlaybackReached(TestId test) override;
    void recordReadingSettings(TestId test, const ReadingSettings& settings) override;
    void endTest(TestId test, TestEnd end, const QString& stopwatchText) override;
    void recordFluencyResult(TestId test, const FluencyResult& result) override;
    std::vector<QuestionShown> redoQuestions(const Exercise& exercise) override;

    QString problem() const override;
    QString readProblem() const override { return readProblem_; }
    std::string unreadReason() const override { return readProblem_.toStdString(); }
    bool busy() const override;
    // Returns at once while the record is still being opened or another
    // program holds it locked.
    void flush() override;
    // Waits until everything recorded so far is written, lock or not.
    void waitUntilWritten();
    // Whether opening made the record's first pupil (a first start), once opened.
    bool madeFirstPupil() const { return madeFirstPupil_; }

    // Work on the writer's connection, in order with everything recorded.
    using WriterWork = std::function<void(const QSqlDatabase&)>;
    // The follower (the school server's sender) runs now and after each test
    // that ends and each fact answer, once they are written; it must not throw.
    void setFollower(WriterWork follower);
    void postToWriter(WriterWork work);

    std::vector<Pupil> pupils() override;
    Pupil currentPupil() override;
    void setCurrentPupil(qint64 id) override;
    std::optional<Pupil> addPupil(const QString& name) override;
    bool renamePupil(qint64 id, const QString& name) override;
    std::pair<int, int> pupilRecordCount(qint64 id) override;
    bool removePupil(qint64 id) override;
    ReadingSettings readingSettings(qint64 pupil) override;
    void keepReadingSettings(qint64 pupil, const ReadingSettings& settings) override;

    std::vector<TestRow> tests(const TestFilter& filter) override;
    std::vector<BestTime> bestTimes(qint64 pupil) override;
    std::vector<ChartPoint> chart(qint64 pupil, const QString& window, const QString& levelOption,
                                  const QString& numberType) override;
    std::vector<Mistake> mistakes(qint64 pupil) override;
    std::vector<TestRow> listeningTests(qint64 pupil) override;
    std::vector<ListeningQuestion> listeningQuestions(TestId test) override;
    void setInBook(qint64 questionId, bool inBook) override;
    std::optional<FluencyBest> fluencyBest(qint64 pupil, const QString& test) override;
    QString lastFluencyTest(qint64 pupil) override;
    std::vector<PracticeWeek> practiceWeeks(const QDate& lastDay) override;

    facts::PracticePlan plan() override;
    void setPlan(const facts::PracticePlan& plan) override;
    // Everything recorded so far is written first (unless the record is locked).
    facts::FactBook book() override;
    facts::PracticePlan planOf(long long pupil) override;
    void setPlanOf(long long pupil, const facts::PracticePlan& plan) override;
    facts::FactBook bookOf(long long pupil) override;
    // Written with the fact's box in one transaction, on the writer thread.
    void recordAnswer(const facts::FactAnswer& answer) override;

private:
    QSqlDatabase openOnWriter();
    void replayJournal(const QSqlDatabase& db);
    void rescueIfDamaged();  // after an unclean end: the whole file checked
    void rescue();
    QString checkMarker() const;  // present: check the whole file at the next start
    void noteProblem(const QString& problem);
    void noteFailure(const SqlFailure& failure);
    // Posts work to the writer; call: the work as data, for the journal.
    void postWrite(std::function<void(RecordWrites&)> work, QJsonObject call = {});
    void setCurrent(const Pupil& pupil);
    // Runs a pupil change on the writer; the current pupil is read back with it.
    template <typename Result>
    Result changePupils(const std::function<Result(RecordWrites&)>& change, Result fallback,
                        std::optional<qint64> choice = std::nullopt);
    bool openReader();
    template <typename Result>
    Result read(const std::function<Result(const RecordReader&)>& query, Result fallback);

    const QString path_;
    const QString defaultName_;
    const QString connection_;
    const std::function<void()> opened_;
    std::unique_ptr<ReadOnlyRecord> reader_;  // from a private copy when a read-only folder's -wal must be read
    bool readLocked_ = false;  // the last read met another program's exclusive lock
    quint64 readerFile_ = 0;   // the file the reads' connection opened (fileIdentity)
    quint64 writerFile_ = 0;   // the file the writer opened (on the writer thread)
    RecordSession session_;
    mutable std::mutex mutex_;  // guards problem_ and current_
    QString problem_;  // what opening the record found (a mend, a rescue)
    QString failure_;  // the latest failure, until a write succeeds after it
    QString readProblem_;  // the latest read's failure (reads run on the caller's thread only)
    Pupil current_;
    std::atomic<bool> madeFirstPupil_{false};
    std::map<TestId, FluencyResult> pendingResults_;  // 达标测试 results waiting for their test's end
    std::unique_ptr<RecordWriter> writer_;
    bool closed_ = false;
    WriterWork follower_;  // used on the writer thread only
    void follow(RecordWrites& writes);
};

// <user data folder>/zorvel/records.db (GenericDataLocation, shared by the
// program and zorvel-records).
QString defaultDatabasePath();
// The first pupil's name until the child's own is given: "学生".
QString defaultPupilName();

} // namespace zorvel::records

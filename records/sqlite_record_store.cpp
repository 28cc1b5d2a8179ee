// Opening the record on the writer thread (private files, the check and
// rescue after an unclean end, the migration, this copy's session), and the
// store's calls: drill reports are posted to the writer, pupil changes wait
// for it unless the record is locked, reads use this thread's connection.
#include "records/sqlite_record_store.h"

#include "records/fact_records.h"
#include "records/pupil_names.h"
#include "records/read_only_record.h"
#include "records/record_reader.h"
#include "records/record_rescue.h"
#include "records/record_writer.h"
#include "records/unwritten_journal.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/record_files.h"
#include "platform/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>


namespace zorvel::records {

namespace {

// The writer's statements wait this long for a lock before the writer
// pauses and tries again; the screen never waits for it.
constexpr int kWriterBusyMs = 50;

QString newConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("zorvel-records-%1").arg(++count);
}

QString writerConnection(const QString& connection)
{
    return connection + QStringLiteral("-writer");
}

const QString kUnreadableWhileLocked = QStringLiteral(
    "学习记录文件正被另一个程序独占，暂时无法读取，这里显示的不是全部记录；请稍后再打开“学习记录”。"
    "这段时间的练习先记在内存里，文件空出后立即写入（文件空出前退出程序，这些练习就不会被记录）。");

const QString kLockedProblem = QStringLiteral(
    "学习记录文件正被另一个程序占用：这段时间的练习先记在内存里，文件空出后立即写入"
    "（文件空出前退出程序，这些练习就不会被记录）。");

} // namespace

QString defaultDatabasePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("zorvel/records.db"));
}

QString defaultPupilName()
{
    return QStringLiteral("学生");
}

SqliteRecordStore::SqliteRecordStore(const QString& path, const QString& defaultPupilName, Opening opening,
                                     std::function<void()> opened)
    : path_(path), defaultName_(defaultPupilName), connection_(newConnectionName()), opened_(std::move(opened)),
      session_(path)
{
    current_ = Pupil{0, defaultName_};
    writer_ = std::make_unique<RecordWriter>(
        [this] { return openOnWriter(); },
        [this] {
            closeConnection(writerConnection(connection_));
            session_.release();
        },
        [this](const SqlFailure& failure) { noteFailure(failure); },
        [this] { return fileIdentity(path_) != writerFile_; });
    if (opening == Opening::Wait)
        writer_->waitUntilOpen();
}

// The reads' connection closes first: the writer's, closing last, copies the
// -wal into the file and removes it, so that the next start sees a clean end.
SqliteRecordStore::~SqliteRecordStore()
{
    close();
}

QString SqliteRecordStore::close()
{
    if (closed_)
        return {};
    closed_ = true;
    reader_.reset();
    closeConnection(connection_);
    postWrite([this](RecordWrites& writes) {
        session_.closeOwnTests(writes.database());
        follower_ = nullptr;
    });
    writer_->stop();
    const std::vector<QJsonObject> left = writer_->unwritten();
    if (left.empty())
        return {};
    if (!keepUnwritten(path_, left))
        return QStringLiteral("学习记录文件一直被另一个程序占用，%1没能保存，暂存也没有成功，这些练习不会被记录。")
            .arg(describeUnwritten(left));
    return QStringLiteral("学习记录文件一直被另一个程序占用，%1没能保存。它们暂存在“%2”里，"
                          "下次启动时会自动补记到学习记录中。")
        .arg(describeUnwritten(left), unwrittenJournal(path_));
}

// Runs on the writer thread, again after each lock. The whole file is checked
// (a few hundred ms for years of records) only after an unclean end, which
// leaves a WAL behind, or after a run that met a damaged page.
QSqlDatabase SqliteRecordStore::openOnWriter()
{
    const QString name = writerConnection(connection_);
    closeConnection(name);
    try {
        refuseLinkedRecordFiles(path_);
        // Before an empty record could be made where the mended one belongs.
        const QString finished = finishReplacement(path_);
        if (!finished.isEmpty())
            noteProblem(QStringLiteral("上次修复学习记录时程序中断了，这次已经把修复做完；损坏的原文件改名为“%1”保留。")
                            .arg(finished));
        if (!makeRecordFilesPrivate(path_))
            throw SqlFailure(Failure::CannotOpen, QStringLiteral("the folder cannot be made"));
        if (QFileInfo(path_ + QStringLiteral("-wal")).size() > 0 || QFileInfo::exists(checkMarker()))
            rescueIfDamaged();
        QSqlDatabase db;
        // The journal mode changes only once the migration has committed.
        try {
            db = openWritableAsItIs(name, path_, kWriterBusyMs);
            migrate(db);
        } catch (const SqlFailure& failure) {
            if (failure.kind() != Failure::Corrupt)
                throw;
            db = QSqlDatabase();
            closeConnection(name);
            rescue();
            db = openWritableAsItIs(name, path_, kWriterBusyMs);
            migrate(db);
        }
        switchToWal(db);
        writerFile_ = fileIdentity(path_);
        session_.begin();
        replayJournal(db);
        session_.closeTestsOfEndedCopies(db);
        bool made = false;
        setCurrent(RecordWrites(db).ensureCurrentPupil(defaultName_, &made));
        madeFirstPupil_ = made;
        if (opened_)
            opened_();
        return db;
    } catch (const SqlFailure& failure) {
        closeConnection(name);
        if (failure.kind() != Failure::Locked && opened_)
            opened_();
        throw;
    }
}

// What the last run could not write, before its tests left running are
// closed (their ends are in the journal). A journal that cannot be made is
// kept and said so; the record opens all the same.
void SqliteRecordStore::replayJournal(const QSqlDatabase& db)
{
    try {
        RecordWrites writes(db);
        replayUnwritten(path_, writes);
    } catch (const SqlFailure& failure) {
        if (failure.kind() == Failure::Locked)
            throw;
        noteProblem(QStringLiteral("上次没能保存、暂存在“%1”里的练习这次没能补记（%2），文件保留着。")
                        .arg(unwrittenJournal(path_), problemText(failure, path_)));
    }
}

void SqliteRecordStore::rescueIfDamaged()
{
    const QString name = writerConnection(connection_);
    QString verdict;
    try {
        verdict = scalar(openConnection(name, path_, false, kWriterBusyMs), QStringLiteral("PRAGMA quick_check")).toString();
    } catch (const SqlFailure& failure) {
        if (failure.kind() != Failure::Corrupt)
            throw;
    }
    closeConnection(name);
    if (verdict != QLatin1String("ok"))
        rescue();
    QFile::remove(checkMarker());
}

// A rescue may replace the file: never under another copy still writing to
// it. The writer waits, as for a lock, until that copy has ended.
void SqliteRecordStore::rescue()
{
    if (session_.othersRunning())
        throw SqlFailure(Failure::Locked, QStringLiteral("another copy holds the damaged record"));
    const Rescue rescue = rescueRecord(path_, writerConnection(connection_),
                                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    noteProblem(rescue.note);
    if (!rescue.usable)
        throw SqlFailure(Failure::Corrupt, QStringLiteral("the damaged record cannot be moved aside"));
    // The new record is made private before SQLite makes it (and its -wal and -shm, which take its mode).
    makeRecordFilesPrivate(path_);
    QFile::remove(checkMarker());
}

QString SqliteRecordStore::checkMarker() const
{
    return path_ + QStringLiteral(".check");
}

void SqliteRecordStore::noteProblem(const QString& problem)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (problem_.isEmpty())
        problem_ = problem;
}

// The latest failure stands until a write succeeds after it.
void SqliteRecordStore::noteFailure(const SqlFailure& failure)
{
    if (failure.kind() == Failure::Corrupt)
        makePrivateFile(checkMarker());
    const std::lock_guard<std::mutex> lock(mutex_);
    failure_ = problemText(failure, path_);
}

void SqliteRecordStore::postWrite(std::function<void(RecordWrites&)> work, QJsonObject call)
{
    writer_->post(
        [this, work = std::move(work)](RecordWrites& writes) {
            work(writes);
            const std::lock_guard<std::mutex> lock(mutex_);
            failure_.clear();
        },
        std::move(call));
}

void SqliteRecordStore::setCurrent(const Pupil& pupil)
{
    if (pupil.id == 0)
        return;
    const std::lock_guard<std::mutex> lock(mutex_);
    current_ = pupil;
}

QString SqliteRecordStore::problem() const
{
    if (writer_->locked() || readLocked_) {
        // Asked before the records window reads: whether it can read at all.
        const_cast<SqliteRecordStore*>(this)->read<bool>([](const RecordReader&) { return true; }, false);
        return readLocked_ ? kUnreadableWhileLocked : kLockedProblem;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    if (problem_.isEmpty() || failure_.isEmpty())
        return problem_ + failure_;
    return problem_ + QLatin1Char('\n') + failure_;
}

bool SqliteRecordStore::busy() const
{
    return writer_->locked();
}

void SqliteRecordStore::flush()
{
    writer_->flush();
}

void SqliteRecordStore::waitUntilWritten()
{
    writer_->waitUntilWritten();
}

// The reads' connection never waits for a lock and never writes: a record in
// a folder that cannot be written, or locked by another program, is still read.
// Until the writer has opened the record (it may never, in such a folder),
// the pupil shown is the one the record was left on.
bool SqliteRecordStore::openReader()
{
    if (reader_)
        return true;
    try {
        refuseLinkedRecordFiles(path_);
        if (!QFileInfo(path_).isFile())
            return false;
        readerFile_ = fileIdentity(path_);
        reader_ = std::make_unique<ReadOnlyRecord>(connection_, path_, 0);
        const int version = scalar(reader_->db(), QStringLiteral("PRAGMA user_version")).toInt();
        if (version < 1 || version > kSchemaVersion)
            return true;
        const RecordReader reader(reader_->db());
        const std::optional<qint64> saved = reader.savedCurrentPupil();
        for (const Pupil& pupil : reader.pupils()) {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (saved && pupil.id == *saved && current_.id == 0)
                current_ = pupil;
        }
    } catch (const SqlFailure& failure) {
        if (failure.kind() == Failure::Locked)
            readLocked_ = true;
        else
            noteFailure(failure);
    }
    return reader_ != nullptr;
}

template <typename Result>
Result SqliteRecordStore::read(const std::function<Result(const RecordReader&)>& query, Result fallback)
{
    readProblem_.clear();
    if (reader_ && fileIdentity(path_) != readerFile_) {
        // Mended (by this copy's writer or another copy): read the new file.
        reader_.reset();
        closeConnection(connection_);
    }
    if (!openReader())
        return fallback;
    try {
        const QSqlDatabase db = QSqlDatabase::database(connection_, false);
        const int version = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
        if (version < 1 || version > kSchemaVersion)
            return fallback;  // a record still being begun, or of a newer program
        Result result = query(RecordReader(db));
        readLocked_ = false;
        return result;
    } catch (const SqlFailure& failure) {
        readProblem_ = readProblemText(failure);
        if (failure.kind() == Failure::Locked)
            readLocked_ = true;
        else
            noteFailure(failure);
        return fallback;
    }
}

TestId SqliteRecordStore::beginTest(const Exercise& exercise, const QDateTime& started, bool redo)
{
    const TestId id = newTestId();
    const QString session = session_.id();
    const qint64 pupil = currentPupil().id;
    postWrite([=](RecordWrites& writes) { writes.beginTest(id, session, pupil, exercise, started, redo); },
                  unwritten::beginTest(id, session, pupil, exercise, started, redo));
    return id;
}

void SqliteRecordStore::recordQuestion(TestId test, int number, const QuestionShown& question)
{
    postWrite([=](RecordWrites& writes) { writes.question(test, number, question); },
                  unwritten::question(test, number, question));
}

void SqliteRecordStore::recordAnswer(TestId test, int number, const QString& text, bool right, qint64 msSinceQuestion)
{
    postWrite([=](RecordWrites& writes) { writes.answer(test, number, text, right, msSinceQuestion); },
                  unwritten::answer(test, number, text, right, msSinceQuestion));
}

void SqliteRecordStore::recordPlaybackReached(TestId test)
{
    postWrite([=](RecordWrites& writes) { writes.playbackReached(test); });
}

void SqliteRecordStore::recordReadingSettings(TestId test, const ReadingSettings& settings)
{
    postWrite([=](RecordWrites& writes) { writes.testReading(test, settings); });
}

ReadingSettings SqliteRecordStore::readingSettings(qint64 pupil)
{
    return read<ReadingSettings>([pupil](const RecordReader& reader) { return reader.readingSettings(pupil); }, {});
}

void SqliteRecordStore::keepReadingSettings(qint64 pupil, const ReadingSettings& settings)
{
    postWrite([=](RecordWrites& writes) { writes.keepReading(pupil, settings); });
}

void SqliteRecordStore::endTest(TestId test, TestEnd end, const QString& stopwatchText)
{
    std::optional<FluencyResult> result;
    const auto pending = pendingResults_.find(test);
    if (pending != pendingResults_.end()) {
        result = pending->second;
        pendingResults_.erase(pending);
    }
    postWrite(
        [=](RecordWrites& writes) {
            writes.endTest(test, end, stopwatchText, result);
            follow(writes);
        },
        unwritten::endTest(test, end, stopwatchText, result));
}

std::vector<QuestionShown> SqliteRecordStore::redoQuestions(const Exercise& exercise)
{
    const qint64 pupil = currentPupil().id;
    return read<std::vector<QuestionShown>>(
        [&](const RecordReader& reader) { return reader.redoQuestions(pupil, exercise); }, {});
}

std::vector<Pupil> SqliteRecordStore::pupils()
{
    return read<std::vector<Pupil>>([](const RecordReader& reader) { return reader.pupils(); }, {currentPupil()});
}

Pupil SqliteRecordStore::currentPupil()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (current_.id != 0)
            return current_;
    }
    openReader();  // a record the writer cannot open: the pupil it was left on
    const std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

template <typename Result>
Result SqliteRecordStore::changePupils(const std::function<Result(RecordWrites&)>& change, Result fallback,
                                       std::optional<qint64> choice)
{
    using Answer = std::pair<Result, Pupil>;
    const qint64 chosen = choice.value_or(currentPupil().id);
    const Answer answer = writer_->call<Answer>(
        [&change, chosen](RecordWrites& writes) {
            Result result = change(writes);
            return Answer{std::move(result), writes.currentPupil(chosen)};
        },
        Answer{fallback, Pupil{}});
    setCurrent(answer.second);
    return answer.first;
}

void SqliteRecordStore::setCurrentPupil(qint64 id)
{
    changePupils<bool>([id](RecordWrites& writes) { writes.setCurrentPupil(id); return true; }, false, id);
}

std::optional<Pupil> SqliteRecordStore::addPupil(const QString& name)
{
    return changePupils<std::optional<Pupil>>([name](RecordWrites& writes) { return writes.addPupil(name); },
                                              std::nullopt);
}

bool SqliteRecordStore::renamePupil(qint64 id, const QString& name)
{
    return changePupils<bool>([=](RecordWrites& writes) { return writes.renamePupil(id, name); }, false);
}

std::pair<int, int> SqliteRecordStore::pupilRecordCount(qint64 id)
{
    return read<std::pair<int, int>>([id](const RecordReader& reader) { return reader.pupilRecordCount(id); }, {0, 0});
}

bool SqliteRecordStore::removePupil(qint64 id)
{
    return changePupils<bool>([id](RecordWrites& writes) { return writes.removePupil(id); }, false);
}

std::vector<TestRow> SqliteRecordStore::tests(const TestFilter& filter)
{
    return read<std::vector<TestRow>>([&](const RecordReader& reader) { return reader.tests(filter); }, {});
}

// Kept until the test's end, which writes both at once.
void SqliteRecordStore::recordFluencyResult(TestId test, const FluencyResult& result)
{
    pendingResults_[test] = result;
}

std::optional<FluencyBest> SqliteRecordStore::fluencyBest(qint64 pupil, const QString& test)
{
    return read<std::optional<FluencyBest>>(
        [&](const RecordReader& reader) { return reader.fluencyBest(pupil, test); }, std::nullopt);
}

QString SqliteRecordStore::lastFluencyTest(qint64 pupil)
{
    return read<QString>([pupil](const RecordReader& reader) { return reader.lastFluencyTest(pupil); }, {});
}

std::vector<BestTime> SqliteRecordStore::bestTimes(qint64 pupil)
{
    return read<std::vector<BestTime>>([pupil](const RecordReader& reader) { return reader.bestTimes(pupil); }, {});
}

std::vector<ChartPoint> SqliteRecordStore::chart(qint64 pupil, const QString& window, const QString& levelOption,
                                                 const QString& numberType)
{
    return read<std::vector<ChartPoint>>(
        [&](const RecordReader& reader) { return reader.chart(pupil, window, levelOption, numberType); }, {});
}

std::vector<Mistake> SqliteRecordStore::mistakes(qint64 pupil)
{
    return read<std::vector<Mistake>>([pupil](const RecordReader& reader) { return reader.mistakes(pupil); }, {});
}

std::vector<TestRow> SqliteRecordStore::listeningTests(qint64 pupil)
{
    TestFilter filter;
    filter.pupil = pupil;
    filter.mode = QStringLiteral("listening");
    return tests(filter);
}

std::vector<ListeningQuestion> SqliteRecordStore::listeningQuestions(TestId test)
{
    return read<std::vector<ListeningQuestion>>(
        [test](const RecordReader& reader) { return reader.listeningQuestions(test); }, {});
}

void SqliteRecordStore::setInBook(qint64 questionId, bool inBook)
{
    writer_->call<bool>([=](RecordWrites& writes) { writes.setInBook(questionId, inBook); return true; }, false);
}

std::vector<PracticeWeek> SqliteRecordStore::practiceWeeks(const QDate& lastDay)
{
    writer_->flush();
    return read<std::vector<PracticeWeek>>(
        [&lastDay](const RecordReader& reader) {
            std::vector<PracticeWeek> weeks;
            for (const Pupil& pupil : reader.pupils()) {
                weeks.push_back(readPracticeWeek(reader.database(), pupil.id, lastDay));
                weeks.back().name = pupil.name;
            }
            return weeks;
        },
        {});
}

facts::PracticePlan SqliteRecordStore::plan() { return planOf(currentPupil().id); }
void SqliteRecordStore::setPlan(const facts::PracticePlan& plan) { setPlanOf(currentPupil().id, plan); }
facts::FactBook SqliteRecordStore::book() { return bookOf(currentPupil().id); }

facts::PracticePlan SqliteRecordStore::planOf(long long pupil)
{
    return read<facts::PracticePlan>(
        [pupil](const RecordReader& reader) { return readFactPlan(reader.database(), pupil); }, {});
}

void SqliteRecordStore::setPlanOf(long long pupil, const facts::PracticePlan& plan)
{
    postWrite([=](RecordWrites& writes) { writeFactPlan(writes.database(), pupil, plan); });
    writer_->flush();
}

facts::FactBook SqliteRecordStore::bookOf(long long pupil)
{
    writer_->flush();
    return read<facts::FactBook>([pupil](const RecordReader& reader) { return readFactBook(reader.database(), pupil); },
                                 {});
}

void SqliteRecordStore::recordAnswer(const facts::FactAnswer& answer)
{
    const qint64 pupil = currentPupil().id;
    postWrite(
        [=](RecordWrites& writes) {
            writeFactAnswer(writes.database(), pupil, answer);
            follow(writes);
        },
        unwritten::factAnswer(pupil, answer));
}

void SqliteRecordStore::setFollower(WriterWork follower)
{
    postWrite([this, follower = std::move(follower)](RecordWrites& writes) {
        follower_ = follower;
        follow(writes);
    });
}

void SqliteRecordStore::postToWriter(WriterWork work)
{
    postWrite([work = std::move(work)](RecordWrites& writes) { work(writes.database()); });
}

void SqliteRecordStore::follow(RecordWrites& writes)
{
    if (follower_)
        follower_(writes.database());
}

} // namespace zorvel::records

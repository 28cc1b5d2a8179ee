// Opening the record (with the corrupt-file rescue), and the store's calls:
// drill reports are posted to the writer, pupil changes wait for it, reads
// use this thread's connection.
#include "records/sqlite_record_store.h"

#include "records/pupil_names.h"
#include "records/read_only_record.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "records/schema.h"
#include "records/sql_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace zorvel::records {

namespace {

QString newConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("zorvel-records-%1").arg(++count);
}

} // namespace

QString defaultDatabasePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("zorvel/records.db"));
}

QString defaultPupilName()
{
    const passwd* account = ::getpwuid(::getuid());
    const QString name = account && account->pw_gecos
                             ? pupilName(QString::fromLocal8Bit(account->pw_gecos).section(QLatin1Char(','), 0, 0)).name
                             : QString();
    return name.isEmpty() ? QStringLiteral("我") : name;
}

SqliteRecordStore::SqliteRecordStore(const QString& path, const QString& defaultPupilName)
    : path_(path), defaultName_(defaultPupilName), connection_(newConnectionName())
{
    current_ = Pupil{0, defaultName_};
    open();
    if (ready_)
        writer_ = std::make_unique<RecordWriter>(path_, connection_ + QStringLiteral("-writer"),
                                                 [this](const SqlFailure& failure) { noteFailure(failure); });
}

SqliteRecordStore::~SqliteRecordStore()
{
    if (writer_) {
        writer_->post([](RecordWrites& writes) { writes.interruptRunningTests(); });
        writer_.reset();
    }
    readOnly_.reset();
    closeConnection(connection_);
}

void SqliteRecordStore::open()
{
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
        problem_ = problemText(SqlFailure(Failure::CannotOpen, QString()), path_);
        return;
    }
    try {
        prepareFile();
        ready_ = true;
        return;
    } catch (const SqlFailure& failure) {
        closeConnection(connection_);
        problem_ = problemText(failure, path_);
        if (failure.kind() != Failure::Corrupt) {
            openForReading();
            return;
        }
    }
    const QString aside = moveAside();
    if (aside.isEmpty())
        return;
    try {
        prepareFile();
        ready_ = true;
        problem_ = QStringLiteral("学习记录文件已损坏，已改名为“%1”保留，并开始了新的记录。").arg(aside);
    } catch (const SqlFailure& failure) {
        closeConnection(connection_);
        problem_ = problemText(failure, path_);
    }
}

// Opens the caller's connection, checks the file, brings its layout up to
// date, closes the tests a crash left running and settles the current pupil.
// The whole file is checked (a few hundred ms for years of records) only
// after an unclean end, which leaves a WAL behind, or after a run that met a
// damaged page; a file that is no database at all fails at its first statement.
void SqliteRecordStore::prepareFile()
{
    const bool check = QFileInfo(path_ + QStringLiteral("-wal")).size() > 0 || QFileInfo::exists(checkMarker());
    const QSqlDatabase db = openConnection(connection_, path_, false);
    if (check) {
        const QString verdict = scalar(db, QStringLiteral("PRAGMA quick_check")).toString();
        if (verdict != QLatin1String("ok"))
            throw SqlFailure(Failure::Corrupt, verdict);
        QFile::remove(checkMarker());
    }
    migrate(db);
    RecordWrites writes(db);
    writes.interruptRunningTests();
    current_ = writes.ensureCurrentPupil(defaultName_);
    nextTest_ = RecordReader(db).largestTestId() + 1;
}

// A record that cannot be written (its folder read-only, the file locked by
// another program) is read as it is, with the pupil it was left on.
void SqliteRecordStore::openForReading()
{
    if (!QFileInfo(path_).isFile())
        return;
    try {
        readOnly_ = std::make_unique<ReadOnlyRecord>(connection_, path_);
        const RecordReader reader(readOnly_->db());
        const std::optional<qint64> saved = reader.savedCurrentPupil();
        const std::vector<Pupil> all = reader.pupils();
        for (const Pupil& pupil : all)
            if (saved ? pupil.id == *saved : pupil.id == all.front().id)
                current_ = pupil;
    } catch (const SqlFailure&) {
        readOnly_.reset();
    }
}

// Renames the file (and its WAL files) to records.db.broken-YYYYMMDD-hhmmss;
// returns the new file name, or empty when it could not be moved.
QString SqliteRecordStore::moveAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString aside = path_ + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".broken-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path_, aside))
        return {};
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path_ + suffix))
            QFile::rename(path_ + suffix, aside + suffix);
    return QFileInfo(aside).fileName();
}

QString SqliteRecordStore::checkMarker() const
{
    return path_ + QStringLiteral(".check");
}

void SqliteRecordStore::noteFailure(const SqlFailure& failure)
{
    if (failure.kind() == Failure::Corrupt) {
        QFile marker(checkMarker());
        marker.open(QIODevice::WriteOnly);
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    if (problem_.isEmpty())
        problem_ = problemText(failure, path_);
}

QString SqliteRecordStore::problem() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return problem_;
}

void SqliteRecordStore::flush()
{
    if (writer_)
        writer_->flush();
}

template <typename Result>
Result SqliteRecordStore::read(const std::function<Result(const RecordReader&)>& query, Result fallback)
{
    readProblem_.clear();
    if (!ready_ && !readOnly_)
        return fallback;
    try {
        return query(RecordReader(QSqlDatabase::database(connection_, false)));
    } catch (const SqlFailure& failure) {
        readProblem_ = readProblemText(failure);
        noteFailure(failure);
        return fallback;
    }
}

TestId SqliteRecordStore::beginTest(const Exercise& exercise, const QDateTime& started, bool redo)
{
    const TestId id = nextTest_++;
    if (writer_) {
        const qint64 pupil = currentPupil().id;
        writer_->post([=](RecordWrites& writes) { writes.beginTest(id, pupil, exercise, started, redo); });
    }
    return id;
}

void SqliteRecordStore::recordQuestion(TestId test, int number, const QuestionShown& question)
{
    if (writer_)
        writer_->post([=](RecordWrites& writes) { writes.question(test, number, question); });
}

void SqliteRecordStore::recordAnswer(TestId test, int number, const QString& text, bool right, qint64 msSinceQuestion)
{
    if (writer_)
        writer_->post([=](RecordWrites& writes) { writes.answer(test, number, text, right, msSinceQuestion); });
}

void SqliteRecordStore::recordPlaybackReached(TestId test)
{
    if (writer_)
        writer_->post([=](RecordWrites& writes) { writes.playbackReached(test); });
}

void SqliteRecordStore::endTest(TestId test, TestEnd end, const QString& stopwatchText)
{
    if (writer_)
        writer_->post([=](RecordWrites& writes) { writes.endTest(test, end, stopwatchText); });
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
    const std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

// Reads back the current pupil after a change of pupils.
void SqliteRecordStore::refreshCurrentPupil()
{
    const std::optional<qint64> saved =
        read<std::optional<qint64>>([](const RecordReader& reader) { return reader.savedCurrentPupil(); }, {});
    for (const Pupil& pupil : pupils())
        if (saved && pupil.id == *saved) {
            const std::lock_guard<std::mutex> lock(mutex_);
            current_ = pupil;
        }
}

void SqliteRecordStore::setCurrentPupil(qint64 id)
{
    if (!writer_)
        return;
    writer_->call<bool>([id](RecordWrites& writes) { writes.setCurrentPupil(id); return true; }, false);
    refreshCurrentPupil();
}

std::optional<Pupil> SqliteRecordStore::addPupil(const QString& name)
{
    if (!writer_)
        return std::nullopt;
    return writer_->call<std::optional<Pupil>>([name](RecordWrites& writes) { return writes.addPupil(name); },
                                               std::nullopt);
}

bool SqliteRecordStore::renamePupil(qint64 id, const QString& name)
{
    if (!writer_)
        return false;
    const bool renamed = writer_->call<bool>([=](RecordWrites& writes) { return writes.renamePupil(id, name); }, false);
    refreshCurrentPupil();
    return renamed;
}

std::pair<int, int> SqliteRecordStore::pupilRecordCount(qint64 id)
{
    return read<std::pair<int, int>>([id](const RecordReader& reader) { return reader.pupilRecordCount(id); }, {0, 0});
}

bool SqliteRecordStore::removePupil(qint64 id)
{
    if (!writer_)
        return false;
    const bool removed = writer_->call<bool>([id](RecordWrites& writes) { return writes.removePupil(id); }, false);
    refreshCurrentPupil();
    return removed;
}

std::vector<TestRow> SqliteRecordStore::tests(const TestFilter& filter)
{
    return read<std::vector<TestRow>>([&](const RecordReader& reader) { return reader.tests(filter); }, {});
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
    if (writer_)
        writer_->call<bool>([=](RecordWrites& writes) { writes.setInBook(questionId, inBook); return true; }, false);
}

} // namespace zorvel::records

// The class file behind the class window: its tables, a pupil's record read
// with the records window's own reader, imports and the class list.
#include "class_record/sqlite_class_data.h"

#include "class_record/class_file.h"
#include "class_record/class_queries.h"
#include "records/fact_records.h"
#include "records/record_reader.h"
#include "records/sql_support.h"

#include <QUuid>

namespace zorvel::classroom {

namespace {

QString failureText(const records::SqlFailure& failure, const QString& path)
{
    if (failure.kind() == records::Failure::Other)
        return QStringLiteral("“%1”不是班级记录文件。").arg(path);
    if (failure.kind() == records::Failure::Locked)
        return QStringLiteral("班级记录文件正被另一个程序占用，请稍后再试。");
    if (failure.kind() == records::Failure::DiskFull)
        return QStringLiteral("磁盘已满，班级记录没有改变。");
    return QStringLiteral("班级记录文件“%1”读写失败（%2）。").arg(path, failure.text());
}

} // namespace

// One pupil's tests, book and chart, read from the class file as from a record.
class SqliteClassData::PupilRecords final : public records::RecordQueries {
public:
    explicit PupilRecords(SqliteClassData& data) : data_(data) {}
    QString problem() const override { return data_.openProblem_; }
    QString readProblem() const override { return data_.problem_; }
    std::vector<records::TestRow> tests(const records::TestFilter& filter) override
    {
        return data_.guarded([&] { return reader().tests(filter); });
    }
    std::vector<records::BestTime> bestTimes(qint64 pupil) override
    {
        return data_.guarded([&] { return reader().bestTimes(pupil); });
    }
    std::vector<records::ChartPoint> chart(qint64 pupil, const QString& window, const QString& level,
                                           const QString& type) override
    {
        return data_.guarded([&] { return reader().chart(pupil, window, level, type); });
    }
    std::vector<records::Mistake> mistakes(qint64 pupil) override
    {
        return data_.guarded([&] { return reader().mistakes(pupil); });
    }
    std::vector<records::TestRow> listeningTests(qint64 pupil) override
    {
        records::TestFilter filter;
        filter.pupil = pupil;
        filter.mode = QStringLiteral("listening");
        return tests(filter);
    }
    std::vector<records::ListeningQuestion> listeningQuestions(records::TestId test) override
    {
        return data_.guarded([&] { return reader().listeningQuestions(test); });
    }
    // The class shows a pupil's book as imported; it is the pupil's to change.
    void setInBook(qint64, bool) override {}
    std::optional<records::FluencyBest> fluencyBest(qint64 pupil, const QString& test) override
    {
        return data_.guarded([&] { return reader().fluencyBest(pupil, test); });
    }

private:
    records::RecordReader reader() const { return records::RecordReader(data_.db_); }
    SqliteClassData& data_;
};

SqliteClassData::SqliteClassData(const QString& path, PupilFileReader read)
    : path_(path),
      connection_(QStringLiteral("zorvel-class-") + QUuid::createUuid().toString(QUuid::Id128)),
      read_(std::move(read)),
      records_(std::make_unique<PupilRecords>(*this))
{
    try {
        db_ = openClassFile(connection_, path);
    } catch (const records::SqlFailure& failure) {
        openProblem_ = problem_ = failureText(failure, path);
    }
}

SqliteClassData::~SqliteClassData()
{
    if (db_.isValid()) {
        db_ = QSqlDatabase();
        records::closeConnection(connection_);
    }
}

template <typename Read>
auto SqliteClassData::guarded(Read read) -> decltype(read())
{
    problem_ = openProblem_;
    if (!db_.isValid())
        return {};
    try {
        return read();
    } catch (const records::SqlFailure& failure) {
        problem_ = failureText(failure, path_);
    }
    return {};
}

std::vector<ClassPupil> SqliteClassData::classPupils()
{
    return guarded([&] { return readClassPupils(db_); });
}

std::vector<PupilSummary> SqliteClassData::pupils(const DateRange& range)
{
    return guarded([&] { return readPupilSummaries(db_, range); });
}

std::vector<records::TestRow> SqliteClassData::tests(const DateRange& range)
{
    records::TestFilter filter;
    filter.since = range.since;
    filter.until = range.until;
    return records_->tests(filter);
}

std::vector<FactSummary> SqliteClassData::facts(const DateRange& range)
{
    return guarded([&] { return readFactSummaries(db_, range); });
}

std::vector<ClassMistake> SqliteClassData::mistakes(const DateRange& range)
{
    return guarded([&] { return readClassMistakes(db_, range); });
}

std::vector<FluencyTest> SqliteClassData::fluency(const DateRange& range)
{
    return guarded([&] { return readFluencyTests(db_, range); });
}

std::vector<Conflict> SqliteClassData::conflicts()
{
    return guarded([&] { return readConflicts(db_); });
}

RosterMatch SqliteClassData::rosterMatch()
{
    return guarded([&] { return matchRoster(db_); });
}

records::RecordQueries& SqliteClassData::pupilRecords()
{
    return *records_;
}

facts::FactBook SqliteClassData::factBook(qint64 pupil)
{
    return guarded([&] { return records::readFactBook(db_, pupil); });
}

std::vector<ImportResult> SqliteClassData::importFiles(const QStringList& paths)
{
    return guarded([&] {
        std::vector<ImportResult> results;
        for (const QString& path : paths)
            results.push_back(importFile(db_, path, read_));
        return results;
    });
}

QString SqliteClassData::setRoster(const QByteArray& list)
{
    const ParsedRoster roster = parseRoster(list);
    if (!roster.error.isEmpty())
        return roster.error;
    guarded([&] {
        storeRoster(db_, roster.entries);
        return 0;
    });
    return problem_;
}

} // namespace zorvel::classroom

// The class kept in a class file (class_file.h), read and imported through
// the class_record functions. A file that cannot be opened leaves every
// table empty and problem() saying why.
#pragma once

#include "class_record/class_data.h"
#include "class_record/class_import.h"

#include <QSqlDatabase>

#include <memory>

namespace zorvel::classroom {

class SqliteClassData final : public ClassData {
public:
    SqliteClassData(const QString& path, PupilFileReader read);
    ~SqliteClassData() override;

    QString location() const override { return path_; }
    QString problem() const override { return problem_; }
    std::vector<ClassPupil> classPupils() override;
    std::vector<PupilSummary> pupils(const DateRange& range) override;
    std::vector<records::TestRow> tests(const DateRange& range) override;
    std::vector<FactSummary> facts(const DateRange& range) override;
    std::vector<ClassMistake> mistakes(const DateRange& range) override;
    std::vector<FluencyTest> fluency(const DateRange& range) override;
    std::vector<Conflict> conflicts() override;
    RosterMatch rosterMatch() override;
    records::RecordQueries& pupilRecords() override;
    facts::FactBook factBook(qint64 pupil) override;
    std::vector<ImportResult> importFiles(const QStringList& paths) override;
    QString setRoster(const QByteArray& list) override;

    const QSqlDatabase& database() const { return db_; }

private:
    // The value of read(), or an empty one with problem() set when it threw.
    template <typename Read>
    auto guarded(Read read) -> decltype(read());

    QString path_;
    QString connection_;
    PupilFileReader read_;
    QSqlDatabase db_;
    QString problem_;
    QString openProblem_;
    class PupilRecords;
    std::unique_ptr<PupilRecords> records_;
};

} // namespace zorvel::classroom

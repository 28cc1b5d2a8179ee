// A class read from the school server, for zorvel-class --service and the
// 班级汇总 window's "学校服务器": the teacher's login sees what the server's
// policies let it see, copied into a private class file (kept between
// openings, so that a refresh fetches only what is new) and read there with
// the same tables as imported files. Files are not imported and the class
// list is the server's.
#pragma once

#include "class_record/sqlite_class_data.h"
#include "school_server/server_connection.h"

#include <chrono>
#include <memory>
#include <vector>

namespace zorvel::school {

class ServerClassData final : public classroom::ClassData {
public:
    // copyPath: the teacher's private copy (made when missing).
    ServerClassData(const ServerAddress& address, const QString& copyPath);
    ~ServerClassData() override;

    // Brings the copy up to date with the server (after a failure, not again
    // for half a minute); true when new tests or answers came.
    bool refresh() override;

    QString location() const override;
    QString problem() const override;
    std::vector<classroom::ClassPupil> classPupils() override { return copy_.classPupils(); }
    std::vector<classroom::PupilSummary> pupils(const classroom::DateRange& range) override { return copy_.pupils(range); }
    std::vector<records::TestRow> tests(const classroom::DateRange& range) override { return copy_.tests(range); }
    std::vector<classroom::FactSummary> facts(const classroom::DateRange& range) override { return copy_.facts(range); }
    std::vector<classroom::ClassMistake> mistakes(const classroom::DateRange& range) override
    {
        return copy_.mistakes(range);
    }
    std::vector<classroom::FluencyTest> fluency(const classroom::DateRange& range) override
    {
        return copy_.fluency(range);
    }
    std::vector<classroom::Conflict> conflicts() override { return {}; }
    classroom::RosterMatch rosterMatch() override { return {}; }
    records::RecordQueries& pupilRecords() override { return copy_.pupilRecords(); }
    facts::FactBook factBook(qint64 pupil) override { return copy_.factBook(pupil); }
    std::vector<classroom::ImportResult> importFiles(const QStringList& paths) override;
    QString setRoster(const QByteArray& list) override;

private:
    void keepRoster();

    const ServerAddress address_;
    const QString connection_;
    classroom::SqliteClassData copy_;
    QString serverProblem_;
    QString lastCopied_;  // when the copy was last brought up to date, "HH:mm"
    std::chrono::steady_clock::time_point pausedUntil_{};
    std::vector<classroom::RosterEntry> roster_;
};

// The teacher's copy of the server's class: in the cache folder, one file
// per server and login.
QString serverCopyPath(const ServerAddress& address);

} // namespace zorvel::school

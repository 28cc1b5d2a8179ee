// What the class window reads and changes of a class, whatever keeps it:
// the class file (sqlite_class_data.h) or a school's server. Every source
// gives the same tables (class_tables.h); the window never sees SQL.
#pragma once

#include "class_record/class_queries.h"
#include "class_record/class_roster.h"
#include "class_record/class_tables.h"
#include "class_record/pupil_import.h"
#include "facts/fact_book.h"
#include "records/record_queries.h"

#include <QStringList>

#include <vector>

namespace zorvel::classroom {

class ClassData {
public:
    virtual ~ClassData() = default;

    // Where the class is kept, as the window names it.
    virtual QString location() const = 0;
    // Empty when the latest call worked; otherwise one Chinese sentence
    // saying why it failed (it then returned nothing, never a part).
    virtual QString problem() const = 0;

    // The pupils of the class, in the order of the tables.
    virtual std::vector<ClassPupil> classPupils() = 0;
    virtual std::vector<PupilSummary> pupils(const DateRange& range) = 0;
    virtual std::vector<records::TestRow> tests(const DateRange& range) = 0;
    virtual std::vector<FactSummary> facts(const DateRange& range) = 0;
    virtual std::vector<ClassMistake> mistakes(const DateRange& range) = 0;
    virtual std::vector<FluencyTest> fluency(const DateRange& range) = 0;
    virtual std::vector<Conflict> conflicts() = 0;
    virtual RosterMatch rosterMatch() = 0;

    // The pupils' records as the records window reads one (by PupilSummary::id),
    // and a pupil's facts for its 口诀掌握 grid.
    virtual records::RecordQueries& pupilRecords() = 0;
    virtual facts::FactBook factBook(qint64 pupil) = 0;

    // Pupils' files, each imported whole or refused; one result a file.
    virtual std::vector<ImportResult> importFiles(const QStringList& paths) = 0;
    // Replaces the class list; empty, or why the list was refused.
    virtual QString setRoster(const QByteArray& list) = 0;

    // Brings the class up to date with where it is kept (a school server);
    // true when something new came. A class file has nothing to fetch.
    virtual bool refresh() { return false; }
};

} // namespace zorvel::classroom

// The class's tables read from a class file (or any record file: the class
// keeps the record's layout). Throws records::SqlFailure.
#pragma once

#include "class_record/class_tables.h"
#include "facts/fact_book.h"

#include <QSqlDatabase>

#include <map>

namespace zorvel::classroom {

std::vector<PupilSummary> readPupilSummaries(const QSqlDatabase& db, const DateRange& range);
std::vector<FactSummary> readFactSummaries(const QSqlDatabase& db, const DateRange& range);
// Most pupils first, then most wrong answers.
std::vector<ClassMistake> readClassMistakes(const QSqlDatabase& db, const DateRange& range);
// Oldest first.
std::vector<FluencyTest> readFluencyTests(const QSqlDatabase& db, const DateRange& range);
std::vector<Conflict> readConflicts(const QSqlDatabase& db);
// Every pupil's book of facts, by pupil id.
std::map<qint64, facts::FactBook> readFactBooks(const QSqlDatabase& db);

// The pupils in the order the tables list them: the class list's order,
// then the others by name. Each with the 学号 from the list.
struct ClassPupil {
    qint64 id = 0;
    QString name;
    QString studentNumber;
};
std::vector<ClassPupil> readClassPupils(const QSqlDatabase& db);

// The median of the values (the mean of the two middle ones for an even
// count); the values are reordered. Not for an empty list.
double medianOf(std::vector<qint64>& values);

} // namespace zorvel::classroom

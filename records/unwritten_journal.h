// The writes a closing program could not make (another program held the
// record locked to the end): kept as lines of JSON in a small private file
// beside the record, and made at the next start, once, in order.
#pragma once

#include "facts/fact_book.h"
#include "records/test_reports.h"

#include <QJsonObject>

#include <optional>
#include <vector>

namespace zorvel::records {

class RecordWrites;

// One store call each, as it would have been written.
namespace unwritten {
QJsonObject beginTest(TestId id, const QString& session, qint64 pupil, const Exercise& exercise,
                      const QDateTime& started, bool redo);
QJsonObject question(TestId test, int number, const QuestionShown& question);
QJsonObject answer(TestId test, int number, const QString& text, bool right, qint64 ms);
QJsonObject endTest(TestId test, TestEnd end, const QString& stopwatch, const std::optional<FluencyResult>& result);
QJsonObject factAnswer(qint64 pupil, const facts::FactAnswer& answer);
} // namespace unwritten

// records.db.unwritten
QString unwrittenJournal(const QString& recordPath);
// Adds the writes to the journal (0600, never through a link); false on failure.
bool keepUnwritten(const QString& recordPath, const std::vector<QJsonObject>& writes);
// Makes the journal's writes in one transaction, then removes it. Throws
// SqlFailure (the journal is kept for the next try).
void replayUnwritten(const QString& recordPath, RecordWrites& writes);
// For the parent: "2 次练习（共 60 个答案）和 12 道口诀题".
QString describeUnwritten(const std::vector<QJsonObject>& writes);

} // namespace zorvel::records

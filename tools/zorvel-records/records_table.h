// The tables zorvel-records prints: a header line, then one row a line, as
// CSV (the records window's writer, with LF lines and no byte-order mark) or
// TSV (tab, newline, carriage return and backslash written as \t, \n, \r, \\);
// in both a field a spreadsheet would run as a formula begins with ', and a
// field with control or invisible format characters is quoted with those
// written as escapes (printableName), whichever column it is.
#pragma once

#include "facts/fact_book.h"
#include "records/csv_export.h"
#include "records/record_queries.h"
#include "tools/zorvel-records/records_options.h"

#include <QByteArray>
#include <QStringList>

namespace zorvel::records::cli {

class Table {
public:
    Table(TableFormat format, const QStringList& header);
    void addRow(const QStringList& fields);
    QByteArray text() const;

private:
    TableFormat format_;
    CsvWriter csv_{CsvTarget::Stream};
    QByteArray tsv_;
};

// A name or any text of the record as it is, unless it holds control or
// invisible format characters (a record of an earlier version, or one
// written by another program): then quoted with those written as escapes,
// so that none reaches a terminal.
QString printableName(const QString& name);

QStringList testFields(const TestRow& row);
QStringList mistakeFields(const QString& pupil, const Mistake& mistake);
// pupil, "7 × 8", "mul", box, attempts, right, median ms (empty before the
// first right answer), "yes"/"no", due date (YYYY-MM-DD).
QStringList factFields(const QString& pupil, const facts::Fact& fact, const facts::FactState& state);

extern const QStringList kTestColumns;
extern const QStringList kMistakeColumns;
extern const QStringList kFactColumns;

} // namespace zorvel::records::cli

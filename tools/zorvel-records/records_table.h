// The tables zorvel-records prints: a header line, then one row a line, as
// CSV (RFC 4180 quoting) or TSV (tab, newline, carriage return and backslash
// written as \t, \n, \r, \\).
#pragma once

#include "facts/fact_book.h"
#include "records/record_store.h"
#include "tools/zorvel-records/records_options.h"

#include <QByteArray>
#include <QStringList>

namespace zorvel::records::cli {

class Table {
public:
    Table(TableFormat format, const QStringList& header);
    void addRow(const QStringList& fields);
    const QByteArray& text() const { return text_; }

private:
    TableFormat format_;
    QByteArray text_;
};

QStringList testFields(const TestRow& row);
QStringList mistakeFields(const QString& pupil, const Mistake& mistake);
// pupil, "7 × 8", "mul", box, attempts, right, median ms (empty before the
// first right answer), "yes"/"no", due date (YYYY-MM-DD).
QStringList factFields(const QString& pupil, const facts::Fact& fact, const facts::FactState& state);

extern const QStringList kTestColumns;
extern const QStringList kMistakeColumns;
extern const QStringList kFactColumns;

} // namespace zorvel::records::cli

// Tables of the record as CSV, written by one writer for the records window's
// export and zorvel-records alike: fields quoted as RFC 4180 says, and a text
// field that a spreadsheet would run as a formula (one that begins with =, +,
// -, @, a tab or a carriage return) written with a leading '. A saved file is
// what a spreadsheet opens: UTF-8 with a byte-order mark (so the Chinese
// reads right) and CRLF lines, written whole or not at all; on standard
// output the lines end in LF and no mark precedes them, for scripts.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvel::records {

// The field with a leading ' when a spreadsheet would take it for a formula;
// a plain number ("-5", "1.5") is left as it is.
QString spreadsheetSafe(const QString& text);

// One field, made spreadsheet-safe and quoted when it holds a comma, a quote, CR or LF.
QString csvField(const QString& text);

enum class CsvTarget { File, Stream };

class CsvWriter {
public:
    explicit CsvWriter(CsvTarget target);
    void addRow(const QStringList& fields);
    QByteArray text() const;

private:
    CsvTarget target_;
    QString text_;
};

// The header and rowCount rows of a file to save, cell(row, column) giving each field.
QByteArray csvDocument(const QStringList& header, int rowCount,
                       const std::function<QString(int row, int column)>& cell);

// Writes through a temporary file renamed into place; the error text when it
// could not (the old file, if any, is left as it was).
QString saveFileAtomically(const QString& path, const QByteArray& contents);

} // namespace zorvel::records

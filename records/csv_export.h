// Tables of the record as CSV: fields quoted as RFC 4180 says (for the
// records window's export and zorvel-records alike), and a whole file a
// spreadsheet opens: UTF-8 with a byte-order mark (so the Chinese reads
// right), CRLF lines, written whole or not at all.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvel::records {

// One field, quoted when it holds a comma, a quote, CR or LF.
QString csvField(const QString& text);

// The header and rowCount rows, cell(row, column) giving each field.
QByteArray csvDocument(const QStringList& header, int rowCount,
                       const std::function<QString(int row, int column)>& cell);

// Writes through a temporary file renamed into place; the error text when it
// could not (the old file, if any, is left as it was).
QString saveFileAtomically(const QString& path, const QByteArray& contents);

} // namespace zorvel::records

// CSV quoting, the spreadsheet guard, the two line styles and the all-or-nothing save.
#include "records/csv_export.h"

#include <QRegularExpression>
#include <QSaveFile>

namespace zorvel::records {

QString spreadsheetSafe(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9]+(\\.[0-9]+)?$"));
    if (text.isEmpty() || !formulaStarts.contains(text.front()) || number.match(text).hasMatch())
        return text;
    return QLatin1Char('\'') + text;
}

QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const QString safe = spreadsheetSafe(text);
    bool quote = false;
    for (QChar c : safe)
        quote = quote || special.contains(c);
    if (!quote)
        return safe;
    QString quoted = safe;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

CsvWriter::CsvWriter(CsvTarget target)
    : target_(target)
{
}

void CsvWriter::addRow(const QStringList& fields)
{
    for (qsizetype c = 0; c < fields.size(); ++c) {
        if (c > 0)
            text_ += QLatin1Char(',');
        text_ += csvField(fields[c]);
    }
    text_ += target_ == CsvTarget::File ? QStringLiteral("\r\n") : QStringLiteral("\n");
}

QByteArray CsvWriter::text() const
{
    return target_ == CsvTarget::File ? QByteArray("\xEF\xBB\xBF") + text_.toUtf8() : text_.toUtf8();
}

QByteArray csvDocument(const QStringList& header, int rowCount,
                       const std::function<QString(int row, int column)>& cell)
{
    CsvWriter writer(CsvTarget::File);
    writer.addRow(header);
    QStringList fields;
    for (int r = 0; r < rowCount; ++r) {
        fields.clear();
        for (int c = 0; c < header.size(); ++c)
            fields << cell(r, c);
        writer.addRow(fields);
    }
    return writer.text();
}

QString saveFileAtomically(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(contents) != contents.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace zorvel::records

// CSV quoting and the all-or-nothing save.
#include "records/csv_export.h"

#include <QSaveFile>

namespace zorvel::records {

QString csvField(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text)
        quote = quote || special.contains(c);
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray csvDocument(const QStringList& header, int rowCount,
                       const std::function<QString(int row, int column)>& cell)
{
    const int columns = static_cast<int>(header.size());
    QString text;
    text.reserve((rowCount + 1) * columns * 12);
    auto appendLine = [&](const std::function<QString(int)>& field) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                text += QLatin1Char(',');
            text += csvField(field(c));
        }
        text += QStringLiteral("\r\n");
    };
    appendLine([&](int c) { return header[c]; });
    for (int r = 0; r < rowCount; ++r)
        appendLine([&](int c) { return cell(r, c); });
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
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

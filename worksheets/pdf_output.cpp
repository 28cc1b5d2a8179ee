// PDF output of a worksheet.
#include "worksheets/pdf_output.h"

#include "worksheets/sheet_painter.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace zorvel::sheets {

bool writeSheetPdf(const Worksheet& sheet, QIODevice& out)
{
    QPdfWriter writer(&out);
    writer.setResolution(600);
    writer.setTitle(sheet.title);
    writer.setCreator(QStringLiteral("Zorvel"));
    prepareDevice(writer);
    return paintSheet(sheet, writer);
}

QString saveSheetPdf(const Worksheet& sheet, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!writeSheetPdf(sheet, file)) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("PDF writer failed");
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace zorvel::sheets

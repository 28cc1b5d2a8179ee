// PDF output of a worksheet.
#include "worksheets/pdf_output.h"

#include "common/file_problem.h"
#include "worksheets/pdf_text_layer.h"
#include "worksheets/sheet_painter.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>

namespace zorvel::sheets {

bool writeSheetPdf(const Worksheet& sheet, QIODevice& out)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QString drawn;
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        writer.setTitle(sheet.title);
        writer.setCreator(QStringLiteral("Zorvel"));
        prepareDevice(writer);
        if (!paintSheet(sheet, writer, &drawn))
            return false;
    }
    QByteArray& bytes = pdf.buffer();
    nameDrawnCharacters(bytes, drawn, sheetFaces());
    return out.write(bytes) == bytes.size();
}

QString saveSheetPdf(const Worksheet& sheet, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileProblem(file);
    if (!writeSheetPdf(sheet, file)) {
        file.cancelWriting();
        return file.error() != QFileDevice::NoError ? fileProblem(file) : QStringLiteral("无法生成 PDF");
    }
    if (!file.commit())
        return fileProblem(file);
    return {};
}

} // namespace zorvel::sheets

// The mistakes sheet, the print preview and saving a sheet as PDF.
#include "records_window/sheet_printing.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "worksheets/pdf_output.h"
#include "worksheets/sheet_painter.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zorvel::records {

sheets::Worksheet mistakesWorksheet(const std::vector<Mistake>& group)
{
    sheets::Worksheet sheet;
    sheet.answerKey = true;
    if (group.empty())
        return sheet;
    const Exercise& exercise = group.front().exercise;
    const std::optional<Operation> op = operationFromKey(exercise.operation.toStdString());
    if (!op)
        return sheet;
    const std::optional<Level> level = levelFromName(*op, exercise.levelOption.toStdString());
    const std::optional<NumberType> type = numberTypeFromName(exercise.numberType.toStdString());
    sheet.title = QStringLiteral("错题练习 ") +
                  (level ? sheets::exerciseTitle(*op, *level, type.value_or(NumberType::Integer))
                         : catalogueText(operationInfo(*op).name));
    for (const Mistake& mistake : group) {
        QStringList operands;
        for (const QString& operand : mistake.question.operands)
            if (!operand.isEmpty())
                operands.append(operand);
        sheet.questions.push_back(sheets::sheetQuestion(*op, operands, mistake.question.correctAnswer));
    }
    return sheet;
}

void previewWithPrintDialog(QWidget* parent, const sheets::Worksheet& sheet)
{
    QPrinter printer(QPrinter::HighResolution);
    sheets::prepareDevice(printer);
    printer.setDocName(sheet.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印预览：") + sheet.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&sheet](QPrinter* target) { sheets::paintSheet(sheet, *target); });
    dialog.exec();
}

QString suggestedPdfPath(const QString& folder, const QString& title, QDate today)
{
    QString name = title + QLatin1Char(' ') + today.toString(Qt::ISODate);
    name.replace(QLatin1Char('/'), QChar(0xFF0F));
    const QDir dir(folder);
    QString path = dir.filePath(name + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1（%2）.pdf").arg(name, QString::number(n)));
    return path;
}

void saveSheetAsPdf(QWidget* parent, const sheets::Worksheet& sheet, const RecordsDialogs& dialogs, QDate today)
{
    const QString title = QStringLiteral("保存为PDF");
    const QString path = dialogs.chooseSaveFile(parent, title, suggestedPdfPath(QDir::homePath(), sheet.title, today));
    if (path.isEmpty())
        return;
    if (const QString problem = sheets::saveSheetPdf(sheet, path); !problem.isEmpty())
        dialogs.tell(parent, title,
                     QStringLiteral("没能保存练习卷：%1\n（%2）").arg(QDir::toNativeSeparators(path), problem));
    else
        dialogs.tell(parent, title, QStringLiteral("练习卷已保存为：\n%1").arg(QDir::toNativeSeparators(path)));
}

} // namespace zorvel::records

// Rich text on A4: the printer's page size, the document's margins in points.
#include "class_window/table_printing.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

namespace zorvel::classroom {

QString tableHtml(const QString& title, const QString& note, const QStringList& header,
                  const std::vector<QStringList>& rows)
{
    QString html = QStringLiteral("<h2>%1</h2><p>%2</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>")
                       .arg(title.toHtmlEscaped(), note.toHtmlEscaped());
    for (const QString& column : header)
        html += QStringLiteral("<th>%1</th>").arg(column.toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (const QStringList& row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString& field : row)
            // Short fields stay on one line; a list of names wraps.
            html += QString::fromLatin1(field.size() <= 20 ? "<td nowrap>%1</td>" : "<td>%1</td>").arg(field.toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

void printHtml(const QString& html, QPagedPaintDevice& device)
{
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    document.setHtml(html);
    const QRectF page = device.pageLayout().paintRect(QPageLayout::Point);
    document.setPageSize(page.size());
    QPainter painter(&device);
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    const int pages = document.pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -p * page.height());
        document.drawContents(&painter, QRectF(0, p * page.height(), page.width(), page.height()));
        painter.restore();
    }
}

QString saveHtmlPdf(const QString& html, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printHtml(html, printer);
    return {};
}

void previewTableWithPrintDialog(QWidget* parent, const QString& title, const QString& html)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&html](QPrinter* target) { printHtml(html, *target); });
    preview.exec();
}

} // namespace zorvel::classroom

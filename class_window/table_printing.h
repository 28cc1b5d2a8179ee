// The class window's tables on paper: a title, the date range and a table
// (or the 口诀热图's coloured grids) as HTML, laid out on A4 landscape by Qt's rich
// text; the same HTML goes to the print preview and to a PDF.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;
class QWidget;

namespace zorvel::classroom {

// "<h2>title</h2><p>note</p><table>…" with the header and rows escaped.
QString tableHtml(const QString& title, const QString& note, const QStringList& header,
                  const std::vector<QStringList>& rows);

// Prints the HTML onto the device, page by page.
void printHtml(const QString& html, QPagedPaintDevice& device);
// Writes the HTML as an A4 PDF; the error text, or empty.
QString saveHtmlPdf(const QString& html, const QString& path);
// Qt's print preview of the HTML on an A4 printer; returns when it closes.
void previewTableWithPrintDialog(QWidget* parent, const QString& title, const QString& html);

} // namespace zorvel::classroom

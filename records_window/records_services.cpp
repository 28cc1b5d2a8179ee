// Qt's standard dialogs behind the records window's questions.
#include "records_window/records_services.h"

#include "records_window/sheet_printing.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace zorvel::records {

namespace {

std::optional<QString> askWithInputDialog(QWidget* parent, const QString& title, const QString& prompt,
                                          const QString& start)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, start, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool confirmWithMessageBox(QWidget* parent, const QString& title, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

QString chooseWithFileDialog(QWidget* parent, const QString& title, const QString& suggested)
{
    const bool pdf = suggested.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    const bool record = suggested.endsWith(QLatin1String(".zorvel"), Qt::CaseInsensitive);
    return QFileDialog::getSaveFileName(parent, title, suggested,
                                        pdf      ? QStringLiteral("PDF 文件 (*.pdf)")
                                        : record ? QStringLiteral("Zorvel 记录 (*.zorvel)")
                                                 : QStringLiteral("CSV 表格 (*.csv)"));
}

void tellWithMessageBox(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

RecordsServices defaultRecordsServices(RedoOpener openRedo)
{
    RecordsServices services;
    services.openRedo = std::move(openRedo);
    services.today = [] { return QDate::currentDate(); };
    services.dialogs.askText = askWithInputDialog;
    services.dialogs.confirm = confirmWithMessageBox;
    services.dialogs.chooseSaveFile = chooseWithFileDialog;
    services.dialogs.tell = tellWithMessageBox;
    services.previewSheet = previewWithPrintDialog;
    return services;
}

} // namespace zorvel::records

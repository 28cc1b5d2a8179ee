// Qt's standard dialogs and print preview behind the class window.
#include "class_window/class_services.h"

#include "class_window/table_printing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zorvel::classroom {

namespace {

// Files, or a folder: a folder gives every .zorvel file in it.
QStringList chooseFilesOrFolder(QWidget* parent)
{
    QMessageBox ask(QMessageBox::Question, QStringLiteral("导入"), QStringLiteral("导入学生交来的记录文件（.zorvel）："),
                    QMessageBox::NoButton, parent);
    QPushButton* files = ask.addButton(QStringLiteral("选文件…"), QMessageBox::AcceptRole);
    QPushButton* folder = ask.addButton(QStringLiteral("选文件夹…"), QMessageBox::AcceptRole);
    ask.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    ask.exec();
    if (ask.clickedButton() == files)
        return QFileDialog::getOpenFileNames(parent, QStringLiteral("导入学生的记录文件"), QDir::homePath(),
                                             QStringLiteral("Zorvel 记录 (*.zorvel);;所有文件 (*)"));
    if (ask.clickedButton() != folder)
        return {};
    const QString chosen = QFileDialog::getExistingDirectory(parent, QStringLiteral("导入一个文件夹里的记录文件"), QDir::homePath());
    QStringList paths;
    if (chosen.isEmpty())
        return paths;
    QDirIterator found(chosen, {QStringLiteral("*.zorvel")}, QDir::Files);
    while (found.hasNext())
        paths << found.next();
    paths.sort();
    return paths;
}

QString chooseRoster(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("班级名单"), QDir::homePath(),
                                        QStringLiteral("名单 (*.txt *.csv);;所有文件 (*)"));
}

} // namespace

ClassServices defaultClassServices()
{
    ClassServices services;
    services.records = records::defaultRecordsServices({});
    services.chooseImportFiles = chooseFilesOrFolder;
    services.chooseRosterFile = chooseRoster;
    services.previewTable = previewTableWithPrintDialog;
    return services;
}

} // namespace zorvel::classroom

// The class file and the class window's module behind "班级汇总".
#include "shell/program_class.h"

#include "class_record/sqlite_class_data.h"
#include "class_record/untrusted_pupil_file.h"
#include "class_window/class_module.h"
#include "records/sqlite_record_store.h"
#include "shell/module_loader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace zorvel {

ProgramClass::ProgramClass(QString path)
    : path_(std::move(path))
{
}

ProgramClass::~ProgramClass() = default;

std::unique_ptr<QDialog> ProgramClass::window()
{
    const auto create = reinterpret_cast<classroom::CreateClassWindowFunction>(
        moduleFunction(QString::fromLatin1(classroom::kClassModule), classroom::kCreateClassWindowFunction));
    if (!create) {
        QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("班级汇总"),
                             QStringLiteral("班级汇总打不开：程序缺少文件（%1）。请重新安装 Zorvel。")
                                 .arg(QString::fromLatin1(classroom::kClassModule)));
        return nullptr;
    }
    if (!data_) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        data_ = std::make_unique<classroom::SqliteClassData>(path_, classroom::readUntrustedPupilFile);
    }
    return std::unique_ptr<QDialog>(create(*data_));
}

QString defaultClassPath()
{
    return QFileInfo(records::defaultDatabasePath()).dir().filePath(QStringLiteral("班级.zorvel-class"));
}

} // namespace zorvel

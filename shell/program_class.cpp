// The class file and the class window's module behind "班级汇总".
#include "shell/program_class.h"

#include "class_record/sqlite_class_data.h"
#include "class_record/untrusted_pupil_file.h"
#include "class_window/class_module.h"
#include "records/sqlite_record_store.h"
#include "school_server/server_class_data.h"
#include "shell/module_loader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QSettings>
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
    const QString before = service_;
    if (!chooseSource())
        return nullptr;
    if (service_ != before)
        data_.reset();
    if (!data_ && service_.isEmpty()) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        data_ = std::make_unique<classroom::SqliteClassData>(path_, classroom::readUntrustedPupilFile);
    } else if (!data_) {
        const school::ServerAddress address{service_, {}, 0, {}, {}};
        data_ = std::make_unique<school::ServerClassData>(address, school::serverCopyPath(address));
    }
    return std::unique_ptr<QDialog>(create(*data_));
}

bool ProgramClass::chooseSource()
{
    const QStringList sources{QStringLiteral("本机的班级文件（导入学生交来的文件）"), QStringLiteral("学校服务器")};
    QSettings settings;
    const QString last = settings.value(QStringLiteral("class/service")).toString();
    bool ok = false;
    const QString source = QInputDialog::getItem(QApplication::activeWindow(), QStringLiteral("班级汇总"),
                                                 QStringLiteral("读哪里的班级："), sources,
                                                 settings.value(QStringLiteral("class/server")).toBool() ? 1 : 0,
                                                 false, &ok);
    if (!ok)
        return false;
    settings.setValue(QStringLiteral("class/server"), source != sources.first());
    if (source == sources.first()) {
        service_.clear();
        return true;
    }
    const QString service = QInputDialog::getText(QApplication::activeWindow(), QStringLiteral("学校服务器"),
                                                  QStringLiteral("服务名（pg_service.conf 里的）："), QLineEdit::Normal,
                                                  last.isEmpty() ? QStringLiteral("school") : last, &ok)
                                .trimmed();
    if (!ok || service.isEmpty())
        return false;
    settings.setValue(QStringLiteral("class/service"), service);
    service_ = service;
    return true;
}

QString defaultClassPath()
{
    return QFileInfo(records::defaultDatabasePath()).dir().filePath(QStringLiteral("班级.zorvel-class"));
}

} // namespace zorvel

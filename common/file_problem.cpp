// The file error kinds in the words a teacher reads.
#include "common/file_problem.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

namespace zorvel {

QString fileProblem(const QFileDevice& file)
{
    const QFileInfo info(file.fileName());
    if (!info.absoluteDir().exists())
        return QStringLiteral("文件夹不存在");
    if (info.isDir())
        return QStringLiteral("这是一个文件夹，不是文件");
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有写入权限");
    case QFileDevice::OpenError:
        return QStringLiteral("无法在那里建立文件（没有写入权限？）");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("写入出错（磁盘可能已满）");
    case QFileDevice::RenameError:
        return QStringLiteral("写好的文件无法换上原来的名字");
    default:
        return QStringLiteral("写入文件失败");
    }
}

} // namespace zorvel

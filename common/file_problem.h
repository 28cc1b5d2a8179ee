// Why a file could not be written, in Chinese: the system's own words
// (QFileDevice::errorString()) are English outside the program's window.
#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QFileDevice;
QT_END_NAMESPACE

namespace zorvel {

// "没有写入权限", "文件夹不存在或无法在那里建立文件", "磁盘已满或写入出错", …
QString fileProblem(const QFileDevice& file);

} // namespace zorvel

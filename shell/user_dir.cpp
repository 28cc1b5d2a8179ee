// Finds or makes the user's private runtime folder, refusing folders that are
// symbolic links, belong to another user or are open to others.
#include "shell/user_dir.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvel {

QString userRuntimeDirUnder(const QString& base, const QString& leafName)
{
    if (base.isEmpty())
        return {};
    const QString path = QDir(base).filePath(leafName);
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {};
    if ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return {};
    return path;
}

QString userRuntimeDir()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) {
        const QString dir = userRuntimeDirUnder(runtime, QStringLiteral("zorvel"));
        if (!dir.isEmpty())
            return dir;
    }
    return userRuntimeDirUnder(QDir::tempPath(), QStringLiteral("zorvel-%1").arg(::getuid()));
}

} // namespace zorvel

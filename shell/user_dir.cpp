// Finds or makes the user's private folder, passing over places that are
// links, belong to another user or cannot be written.
#include "shell/user_dir.h"

#include "platform/private_files.h"

#include <QDir>
#include <QStandardPaths>

namespace zorvel {

QString privateFolderUnder(const QStringList& bases, const QString& leafName)
{
    for (const QString& base : bases) {
        if (base.isEmpty() || !QDir().mkpath(base))
            continue;
        const QString path = QDir(base).filePath(leafName);
        if (makePrivateFolder(path))
            return path;
    }
    return {};
}

QString userRuntimeDir()
{
    return privateFolderUnder({QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                               QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
                               QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)},
                              QStringLiteral("zorvel"));
}

} // namespace zorvel

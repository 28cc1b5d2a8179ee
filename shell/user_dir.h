// A folder private to the current user for the lock file and the extracted
// help pages.
#pragma once

#include <QString>

namespace zorvel {

// $XDG_RUNTIME_DIR/zorvel when the session has one, otherwise
// <temp>/zorvel-<uid>; created with mode 0700. Empty when the folder cannot
// be made or belongs to someone else.
QString userRuntimeDir();

// The same rule under a given base folder.
QString userRuntimeDirUnder(const QString& base, const QString& leafName);

} // namespace zorvel

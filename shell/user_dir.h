// A folder private to the current user for the lock file and the copied-out
// help pages.
#pragma once

#include <QString>
#include <QStringList>

namespace zorvel {

// The first of the candidate bases that holds, or lets this user make, a
// private folder `zorvel`: the session's runtime folder, else the user's
// cache folder, else the user's data folder (all from QStandardPaths). Empty
// when none does: every candidate refused (a link, another user's folder) or
// unwritable.
QString userRuntimeDir();

// The same rule over given bases.
QString privateFolderUnder(const QStringList& bases, const QString& leafName);

} // namespace zorvel

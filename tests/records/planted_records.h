// Record files planted for the tests of reading: a record with a damaged
// index page, and a copy whose newest rows are only in its -wal; and what a
// record file holds, read outside the store.
#pragma once

#include <QString>
#include <QStringList>

namespace zorvel::records::planted {

// A record of `tests` finished tests of the pupil "学生1", one a day from
// 2026-01-01, with small pages so that every index spans several.
void makeRecord(const QString& path, int tests);

// Writes garbage over a leaf page in the middle of the index `index` (one
// whose newest copy is in the file itself, not in its -wal), as a failing
// disk sector would; false when the index has too few such pages.
bool damageIndex(const QString& path, const QString& index);

// Adds the pupil "小红" with one test to the record and, while the program
// still holds it open, copies the record and its -wal into `folder` (as a
// copy made after a crash): the copy holds "小红" only in its -wal.
bool copyWithRowsInWal(const QString& path, const QString& folder);

// Every row the statement gives on the record, read-only, its fields joined
// by '|', in the order given.
QStringList rowsOf(const QString& path, const QString& sql);

} // namespace zorvel::records::planted

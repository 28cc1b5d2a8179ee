// The teacher's class list: a UTF-8 text or CSV file, one pupil a line,
// with an optional 学号 column (a header naming 姓名 and 学号 chooses the
// columns; otherwise a field of digits beside the name is the 学号). Names
// match the pupils of the imported files exactly; nothing is guessed.
#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace zorvel::classroom {

struct RosterEntry {
    QString name;
    QString studentNumber;
};

struct ParsedRoster {
    std::vector<RosterEntry> entries;
    QString error;   // a Chinese sentence; empty when the list is good
};

ParsedRoster parseRoster(const QByteArray& bytes);

struct RosterMatch {
    QStringList pupilsNotOnList;   // imported pupils whose name is not on the list
    QStringList namesWithoutFile;  // names on the list no imported file has
};

// Replaces the class list (one transaction). Throws records::SqlFailure.
void storeRoster(const QSqlDatabase& db, const std::vector<RosterEntry>& entries);
RosterMatch matchRoster(const QSqlDatabase& db);

} // namespace zorvel::classroom

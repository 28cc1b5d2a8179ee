// A parent's week: what each pupil practised on each of the last seven
// days (tests of every window and the daily practice's answers), how much of
// it was right at the first try, the facts newly mastered and the 达标测试
// passed. Read from the record; plain Qt Core types for the window.
#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>

class QSqlDatabase;

namespace zorvel::records {

struct PracticeDay {
    QDate date;
    int questions = 0;    // answered (a question of a test counts once)
    int rightFirst = 0;   // right at the first try
    qint64 ms = 0;        // time spent on them
};

struct PracticeWeek {
    qint64 pupil = 0;
    QString name;
    std::array<PracticeDay, 7> days{};  // oldest first, the last one today
    int factsMastered = 0;  // mastered now, not at the start of the week
    int fluencyPassed = 0;  // 达标测试 passed

    int daysPractised() const;
    int minutes() const;
    int questions() const;
    // Right at the first try, in whole percent; -1 without a question.
    int rightPercent() const;
};

// The seven days ending with lastDay (local dates). Throws SqlFailure.
PracticeWeek readPracticeWeek(const QSqlDatabase& db, qint64 pupil, const QDate& lastDay);

} // namespace zorvel::records

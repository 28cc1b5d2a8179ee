// Every answer teaches the boxes: the first answer to a question of a basic
// fact (7 × 8, 56 ÷ 8, 15 - 8, 7 + 8, whole numbers) in a normal window, a
// "重练" test, a 达标测试 or typed in a listening window counts as an attempt
// at that fact, with its time, as if the daily practice had asked it.
// Throws SqlFailure.
#pragma once

#include <QSqlDatabase>

namespace zorvel::records {

// Within the caller's transaction, after the first answer to the question
// was stored; nothing for a question that is no basic fact, or one of the
// daily practice (which keeps its own answers).
void countFactAttempt(const QSqlDatabase& db, qint64 questionId, bool right, qint64 ms);

} // namespace zorvel::records

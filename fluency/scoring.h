// How a 达标测试 is scored: correct answers out of all the test's questions
// (an unanswered question counts as not correct), the percentage, correct
// answers per minute, the pass line, and the personal best, which only a
// test that passes can change.
#pragma once

#include "fluency/fluency_test.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace zorvel::fluency {

// What happened in one test.
struct Outcome {
    int answered = 0;      // questions answered (each once)
    int correct = 0;       // of them, right
    qint64 elapsedMs = 0;  // from the first question to the end
};

struct Score {
    int correct = 0;
    int total = 0;            // the test's question count
    int answered = 0;
    qint64 elapsedMs = 0;
    double percent = 0;       // correct / total × 100
    double perMinute = 0;     // correct answers per minute (correctPerMinute)
    bool passed = false;

    QString percentText() const;    // "95 %", "96.7 %" (rounded to a tenth)
    QString perMinuteText() const;  // "13.6"
    QString timeText() const;       // "4:12"
};

// A timed test that ran out counts its full limit as its time.
Score score(const FluencyTest& test, const Outcome& outcome);

// Correct answers per minute over the whole limit: a test handed in early
// counts its unanswered questions as not correct, so 22 right in 20 s of a
// 5-minute test are 4.4 a minute, and a pass is at or above the pass line.
// Without a limit, over the time used.
double correctPerMinute(int limitSeconds, int correct, qint64 elapsedMs);

// "m:ss", whole seconds (rounded down): 252 400 ms reads "4:12".
QString minutesSeconds(qint64 ms);

struct PersonalBest {
    int correct = 0;
    qint64 elapsedMs = 0;
    QDateTime when;
};

// More correct answers is better; with as many, the shorter time; a tie
// keeps the best already held.
bool isBetter(const Score& score, const PersonalBest& best);
// The best after a test: a test that did not pass changes nothing.
std::optional<PersonalBest> bestAfter(const std::optional<PersonalBest>& best, const Score& score,
                                      const QDateTime& when);

} // namespace zorvel::fluency

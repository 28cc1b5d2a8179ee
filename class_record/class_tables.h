// The class's tables, as zorvel-class prints them and the class window
// shows them: one row per pupil, per basic fact, per common mistake and per
// 达标测试, over a range of days. The rows are plain data, so that every
// source of a class (the class file, a school's server) gives the same.
// Pupils come in the order of the class list, then by name: never by score.
#pragma once

#include "records/test_reports.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvel::classroom {

struct DateRange {
    std::optional<QDate> since, until;   // inclusive, local dates
};

struct PupilSummary {
    qint64 id = 0;
    QString name;
    QString studentNumber;               // from the class list; empty when not on it
    int tests = 0;
    int days = 0;                        // days with a test or a daily practice
    double minutes = 0;
    int questions = 0;                   // questions answered, daily practice included
    std::optional<double> accuracy;      // share of questions right at the first answer
    std::optional<double> medianSeconds; // of the first answers
    int fluencyPassed = 0;               // 达标测试 passed (different tests)
    int factsMastered = 0;               // now, whatever the range
    std::optional<QDate> lastActive;
};

struct FactSummary {
    int fact = 0;                        // 0..323, as facts/fact.h numbers them
    int pupilsAsked = 0;
    int pupilsMastered = 0;              // now, whatever the range
    int wrongAnswers = 0;
    std::optional<int> medianMs;
    QStringList pupilsWrong;
};

struct ClassMistake {
    QString operation;                   // "add" ... "div"
    QStringList operands;                // as shown
    QString answer;                      // the correct answer
    int pupilsWrong = 0;
    int timesWrong = 0;
    QStringList pupils;
};

struct FluencyTest {
    qint64 pupil = 0;
    QString name;
    QString test;                        // the preset's key, or "custom:…"
    QDateTime started;
    records::FluencyResult result;
};

struct Conflict {
    QString testUuid;
    QString pupil;
    QDateTime started;
    QString file;
    QDateTime noticed;
};

// "7 × 8": the operands with the operation's printed signs.
QString mistakeQuestion(const ClassMistake& mistake);
// Correct answers per minute of a 达标测试.
double correctPerMinute(const records::FluencyResult& result);

extern const QStringList kPupilColumns;
extern const QStringList kFactColumns;
extern const QStringList kMistakeColumns;
extern const QStringList kFluencyColumns;
extern const QStringList kConflictColumns;
QStringList pupilFields(const PupilSummary& row);
QStringList factFields(const FactSummary& row);
QStringList mistakeFields(const ClassMistake& row);
QStringList fluencyFields(const FluencyTest& row);
QStringList conflictFields(const Conflict& row);

} // namespace zorvel::classroom

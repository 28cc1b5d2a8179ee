// The columns of the class's tables and their fields as text.
#include "class_record/class_tables.h"

#include "common/window_texts.h"
#include "facts/fact.h"
#include "questions/catalogue.h"

#include <algorithm>

namespace zorvel::classroom {

namespace {

QString optionalNumber(const std::optional<double>& value, int decimals)
{
    return value ? QString::number(*value, 'f', decimals) : QString();
}

QString isoSeconds(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

} // namespace

const QStringList kPupilColumns = {"pupil",     "student_number", "tests",          "days",
                                   "minutes",   "questions",      "accuracy",       "median_seconds",
                                   "fluency_passed", "facts_mastered", "last_active"};
const QStringList kFactColumns = {"fact", "operation", "pupils_asked", "pupils_mastered", "wrong_answers", "median_ms",
                                  "pupils_wrong"};
const QStringList kMistakeColumns = {"question", "answer", "pupils_wrong", "times_wrong", "pupils"};
const QStringList kFluencyColumns = {"pupil", "started", "test", "limit_seconds", "questions", "correct",
                                     "elapsed_seconds", "correct_per_minute", "passed"};
const QStringList kConflictColumns = {"test_uuid", "pupil", "started", "file", "noticed"};

QString mistakeQuestion(const ClassMistake& mistake)
{
    const auto op = operationFromKey(mistake.operation.toStdString());
    QString text = mistake.operands.value(0);
    for (int i = 1; i < mistake.operands.size(); ++i) {
        if (mistake.operands[i].isEmpty())
            continue;
        const QString sign = op ? catalogueText(operationInfo(*op).sheetSigns[std::size_t(std::min(i - 1, 1))]) : QStringLiteral("?");
        text += QLatin1Char(' ') + sign + QLatin1Char(' ') + mistake.operands[i];
    }
    return text;
}

double correctPerMinute(const records::FluencyResult& result)
{
    return result.elapsedMs > 0 ? result.correct * 60000.0 / double(result.elapsedMs) : 0.0;
}

QStringList pupilFields(const PupilSummary& row)
{
    return {row.name,
            row.studentNumber,
            QString::number(row.tests),
            QString::number(row.days),
            QString::number(row.minutes, 'f', 1),
            QString::number(row.questions),
            optionalNumber(row.accuracy ? std::optional<double>(*row.accuracy * 100) : std::nullopt, 1),
            optionalNumber(row.medianSeconds, 1),
            QString::number(row.fluencyPassed),
            QString::number(row.factsMastered),
            row.lastActive ? row.lastActive->toString(Qt::ISODate) : QString()};
}

QStringList factFields(const FactSummary& row)
{
    const facts::Fact fact = facts::Fact::at(row.fact);
    return {QString::fromStdString(fact.text()),
            catalogueText(facts::setKey(fact.set)),
            QString::number(row.pupilsAsked),
            QString::number(row.pupilsMastered),
            QString::number(row.wrongAnswers),
            row.medianMs ? QString::number(*row.medianMs) : QString(),
            row.pupilsWrong.join(QStringLiteral("、"))};
}

QStringList mistakeFields(const ClassMistake& row)
{
    return {mistakeQuestion(row), row.answer, QString::number(row.pupilsWrong), QString::number(row.timesWrong),
            row.pupils.join(QStringLiteral("、"))};
}

QStringList fluencyFields(const FluencyTest& row)
{
    const records::FluencyResult& r = row.result;
    return {row.name,
            isoSeconds(row.started),
            row.test,
            r.limitSeconds > 0 ? QString::number(r.limitSeconds) : QString(),
            QString::number(r.questions),
            QString::number(r.correct),
            QString::number(double(r.elapsedMs) / 1000.0, 'f', 1),
            QString::number(correctPerMinute(r), 'f', 1),
            r.passed ? QStringLiteral("1") : QStringLiteral("0")};
}

QStringList conflictFields(const Conflict& row)
{
    return {row.testUuid, row.pupil, isoSeconds(row.started), row.file, isoSeconds(row.noticed)};
}

} // namespace zorvel::classroom

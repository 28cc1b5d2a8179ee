// Field escaping and the columns of the tests and mistakes tables.
#include "tools/zorvel-records/records_table.h"

#include "records/csv_export.h"
#include "records/exercise_names.h"
#include "common/quoting.h"
#include "common/window_texts.h"

#include <cstdio>

namespace zorvel::records::cli {

namespace {

QString tsvField(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

// ISO 8601 to the second, in the time's own zone (the store gives local times).
QString isoSeconds(const QDateTime& when)
{
    const QDate day = when.date();
    const QTime time = when.time();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", day.year(), day.month(), day.day(), time.hour(),
                  time.minute(), time.second());
    return QString::fromLatin1(text);
}

} // namespace

QString printableName(const QString& name)
{
    for (const uint c : name.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            return quotedArgument(name);
    }
    return name;
}

// A 达标测试 fills the last three: its limit (empty without one), its
// correct answers and whether it passed (1 or 0); other tests leave them empty.
const QStringList kTestColumns = {"pupil", "started", "window", "operation", "mode", "level",
                                  "type",  "questions", "wrong_answers", "time", "ended",
                                  "limit_seconds", "correct", "passed", "wrong_questions"};
const QStringList kMistakeColumns = {"pupil",  "window", "level",       "type",      "first",
                                     "second", "third",  "answer", "times_wrong", "last_wrong"};

Table::Table(TableFormat format, const QStringList& header)
    : format_(format)
{
    addRow(header);
}

void Table::addRow(const QStringList& given)
{
    QStringList fields;
    for (const QString& field : given)
        fields << printableName(field);
    if (format_ == TableFormat::Csv) {
        csv_.addRow(fields);
        return;
    }
    QString line;
    for (qsizetype c = 0; c < fields.size(); ++c) {
        if (c > 0)
            line += QLatin1Char('\t');
        line += tsvField(spreadsheetSafe(fields[c]));
    }
    tsv_ += line.toUtf8();
    tsv_ += '\n';
}

QByteArray Table::text() const
{
    return format_ == TableFormat::Csv ? csv_.text() : tsv_;
}

QStringList testFields(const TestRow& row)
{
    const Exercise& e = row.exercise;
    return {row.pupil,
            isoSeconds(row.started),
            windowText(e),
            e.operation,
            e.mode,
            e.levelCaption,
            e.numberType,
            QString::number(row.questions),
            QString::number(row.wrongAnswers),
            row.ended == TestEnd::Finished ? row.time : QString(),
            testEndKey(row.ended),
            row.fluency && row.fluency->limitSeconds > 0 ? QString::number(row.fluency->limitSeconds) : QString(),
            row.fluency ? QString::number(row.fluency->correct) : QString(),
            row.fluency ? QString::number(row.fluency->passed ? 1 : 0) : QString(),
            wrongQuestions(row) ? QString::number(*wrongQuestions(row)) : QString()};
}

QStringList mistakeFields(const QString& pupil, const Mistake& mistake)
{
    const Exercise& e = mistake.exercise;
    const QuestionShown& q = mistake.question;
    return {pupil, windowText(e),         e.levelCaption,     e.numberType,
            q.operands[0],  q.operands[1],    q.operands[2],      q.correctAnswer,
            QString::number(mistake.timesWrong), isoSeconds(mistake.lastWrong)};
}

const QStringList kFactColumns = {"pupil", "fact", "operation", "box", "attempts", "right", "median_ms", "mastered", "due"};

QStringList factFields(const QString& pupil, const facts::Fact& fact, const facts::FactState& state)
{
    const std::string text = fact.text();
    const std::string_view key = facts::setKey(fact.set);
    return {pupil,
            QString::fromStdString(text),
            catalogueText(key),
            QString::number(state.box),
            QString::number(state.attempts),
            QString::number(state.rights),
            state.medianMs < 0 ? QString() : QString::number(state.medianMs),
            state.isMastered() ? QStringLiteral("yes") : QStringLiteral("no"),
            QDate::fromJulianDay(state.due).toString(Qt::ISODate)};
}

} // namespace zorvel::records::cli

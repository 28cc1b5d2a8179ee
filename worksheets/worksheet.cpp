// Worksheets from the question engine and from shown questions.
#include "worksheets/worksheet.h"

#include "common/window_texts.h"
#include "questions/number_text.h"
#include "questions/written_math.h"

namespace zorvel::sheets {

namespace {

// Paper has the true signs (the minus as wide as the plus); the windows and
// the text sheets keep the keyboard's.
QString printedSigns(const QString& signs)
{
    return QString::fromStdString(writtenMath(signs.toStdString()));
}

} // namespace

QString questionText(const SheetQuestion& question)
{
    QString line = question.operands.value(0);
    for (int i = 1; i < question.operands.size(); ++i)
        line += QLatin1Char(' ') + question.signs.value(i - 1) + QLatin1Char(' ') + question.operands[i];
    return line + QStringLiteral(" =");
}

QString exerciseTitle(Operation op, Level level, NumberType type)
{
    const OperationInfo& info = operationInfo(op);
    QString title = catalogueText(info.name) + QLatin1Char(' ') + printedSigns(catalogueText(levelCaption(op, level)));
    if (info.numberTypesShown)
        title += QLatin1Char(' ') + catalogueText(numberTypeCaption(op, type)).remove(QLatin1Char(' '));
    return title;
}

SheetQuestion sheetQuestion(Operation op, const QStringList& operands, const QString& answer)
{
    const OperationInfo& info = operationInfo(op);
    SheetQuestion question;
    question.operands = operands;
    for (int i = 1; i < operands.size(); ++i)
        question.signs.append(printedSigns(catalogueText(info.sheetSigns[std::min(i - 1, 1)])));
    question.answer = answer;
    return question;
}

std::vector<Exercise> requestedParts(const SheetRequest& request)
{
    if (!request.parts.empty())
        return request.parts;
    return {{request.operation, request.level, request.type}};
}

Worksheet questionsWorksheet(const std::vector<DrawnQuestion>& questions)
{
    Worksheet sheet;
    sheet.questions.reserve(questions.size());
    QStringList operands;
    for (const DrawnQuestion& drawn : questions) {
        const Question& q = drawn.question;
        operands.clear();
        for (int i = 0; i < q.operandCount; ++i)
            operands.append(QString::fromStdString(q.operands[std::size_t(i)]));
        sheet.questions.push_back(
            sheetQuestion(drawn.operation, operands, QString::fromStdString(shortestText(q.correctAnswer))));
    }
    return sheet;
}

Worksheet drawnWorksheet(const SheetRequest& request)
{
    const std::vector<Exercise> parts = requestedParts(request);
    Worksheet sheet = questionsWorksheet(drawTest({parts, request.mode, request.count, request.seed}));
    const Exercise& first = parts.front();
    sheet.title = (request.mode == Mode::Listening ? QStringLiteral("听算练习 ") : QStringLiteral("口算练习 ")) +
                  exerciseTitle(first.operation, first.level, first.type);
    sheet.listening = request.mode == Mode::Listening;
    sheet.seed = request.seed;
    return sheet;
}

} // namespace zorvel::sheets

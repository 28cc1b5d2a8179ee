// Worksheets from the question engine and from shown questions.
#include "worksheets/worksheet.h"

#include "common/window_texts.h"
#include "questions/number_text.h"
#include "questions/question_deck.h"
#include "questions/random_source.h"
#include "worksheets/sheet_painter.h"

namespace zorvel::sheets {

namespace {

// Paper has the true minus sign, as wide as the plus; the windows and the
// text sheets keep the keyboard's hyphen.
QString printedSigns(QString signs)
{
    return signs.replace(QLatin1Char('-'), QChar(0x2212));
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
    // The level captions of the windows write "*" and "/"; a sheet writes × and ÷.
    QString caption = catalogueText(levelCaption(op, level));
    caption.replace(QLatin1Char('*'), catalogueText(info.sheetSigns[0])).replace(QLatin1Char('/'), catalogueText(info.sheetSigns[0]));
    QString title = catalogueText(info.name) + QLatin1Char(' ') + printedSigns(caption);
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

Worksheet drawnWorksheet(const SheetRequest& request)
{
    Worksheet sheet;
    sheet.title = (request.mode == Mode::Listening ? QStringLiteral("听算练习 ") : QStringLiteral("口算练习 ")) +
                  exerciseTitle(request.operation, request.level, request.type);
    sheet.listening = request.mode == Mode::Listening;
    sheet.questions.reserve(std::size_t(std::max(0, request.count)));
    SeededRandom rng(request.seed);
    // No page repeats a question: the deck remembers a whole page's worth,
    // wherever the pages break.
    QuestionDeck deck(request.operation, request.mode, largestSheetPage());
    QStringList operands;
    for (int n = 1; n <= request.count; ++n) {
        const Question q = deck.draw(request.level, request.type, rng);
        operands.clear();
        for (int i = 0; i < q.operandCount; ++i)
            operands.append(QString::fromStdString(q.operands[i]));
        sheet.questions.push_back(
            sheetQuestion(request.operation, operands, QString::fromStdString(shortestText(q.correctAnswer))));
    }
    return sheet;
}

} // namespace zorvel::sheets

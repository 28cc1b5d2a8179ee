// Catalogue captions and fixed texts for what the records window shows.
#include "records_window/record_texts.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"

namespace zorvel::records {

namespace {

const OperationInfo* infoOf(const QString& operationKey)
{
    const auto op = operationFromKey(operationKey.toStdString());
    return op ? &operationInfo(*op) : nullptr;
}

} // namespace

QString numberTypeText(const QString& operationKey, const QString& numberTypeKey)
{
    // The daily practice asks whole numbers of several operations.
    const OperationInfo* info = infoOf(operationKey);
    if (!info && numberTypeKey == QLatin1String("integer"))
        info = infoOf(QStringLiteral("add"));
    const auto type = numberTypeFromName(numberTypeKey.toStdString());
    if (!info || !type)
        return numberTypeKey;
    // "整   数" is spaced out to fill its option button; here it reads "整数".
    return catalogueText(numberTypeCaption(info->operation, *type)).remove(QLatin1Char(' '));
}

QString levelText(const Exercise& exercise)
{
    return mathText(exercise.levelCaption);
}

QString fluencyTimeText(const FluencyResult& result)
{
    const qint64 seconds = result.elapsedMs / 1000;
    QString text = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (result.limitSeconds > 0)
        text += QStringLiteral(" / %1:%2").arg(result.limitSeconds / 60).arg(result.limitSeconds % 60, 2, 10, QLatin1Char('0'));
    return text;
}

QString fluencyResultText(const FluencyResult& result)
{
    return QStringLiteral("%1 正确 %2 / %3").arg(result.passed ? QStringLiteral("达标") : QStringLiteral("未达标"))
        .arg(result.correct)
        .arg(result.questions);
}

QString practiceResultText(const TestRow& row)
{
    // Each question of a daily practice has one answer, a timed-out one empty.
    return QStringLiteral("完成 首次答对 %1/%2").arg(row.questions - row.wrongAnswers).arg(row.questions);
}

QString endText(TestEnd end)
{
    switch (end) {
    case TestEnd::Finished: return QStringLiteral("完成");
    case TestEnd::Restarted: return QStringLiteral("重新开始");
    case TestEnd::Reset: return QStringLiteral("中途换难度或类型");
    case TestEnd::Reminder: return QStringLiteral("休息提醒");
    case TestEnd::Closed: return QStringLiteral("中途返回");
    case TestEnd::Interrupted: return QStringLiteral("程序中断");
    }
    return QString();
}

QString questionText(const QString& operationKey, const QuestionShown& question)
{
    const OperationInfo* info = infoOf(operationKey);
    QString text = question.operands[0].trimmed();
    for (int i = 1; i < 3; ++i) {
        const QString operand = question.operands[i].trimmed();
        if (operand.isEmpty())
            continue;
        const QString sign = info ? catalogueText(info->sheetSigns[i - 1]) : QStringLiteral("?");
        text += QLatin1Char(' ') + sign + QLatin1Char(' ') + operand;
    }
    return mathText(text + QStringLiteral(" = ") + question.correctAnswer.trimmed());
}

QString normalWindowOf(const Exercise& exercise)
{
    const OperationInfo* info = infoOf(exercise.operation);
    return info ? catalogueText(info->normalWindow) : exercise.window;
}

} // namespace zorvel::records

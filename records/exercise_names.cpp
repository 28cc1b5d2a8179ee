// Window names from the exercise catalogue and the practice modes.
#include "records/exercise_names.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"

namespace zorvel::records {

QString operationText(const QString& operationKey)
{
    const auto op = operationFromKey(operationKey.toStdString());
    if (!op)
        return operationKey;
    return catalogueText(operationInfo(*op).name);
}

QString modeText(const QString& modeKey)
{
    if (modeKey == QLatin1String("normal"))
        return QStringLiteral("普通模式");
    if (modeKey == QLatin1String("listening"))
        return QStringLiteral("听算模式");
    if (modeKey == QLatin1String("fluency"))
        return QStringLiteral("达标测试");
    if (modeKey == QLatin1String("practice"))
        return QStringLiteral("今日练习");
    return modeKey;
}

QString windowText(const Exercise& exercise)
{
    // The daily practice is one window whatever the sets it asks.
    if (exercise.mode == QLatin1String("practice"))
        return modeText(exercise.mode);
    return operationText(exercise.operation) + QLatin1Char(' ') + modeText(exercise.mode);
}

} // namespace zorvel::records

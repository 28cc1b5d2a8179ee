// The preset table and the clamping of a teacher's own test.
#include "fluency/fluency_test.h"

#include "common/window_texts.h"
#include "questions/written_math.h"

#include <QStringList>

#include <algorithm>

namespace zorvel::fluency {

namespace {

FluencyTest preset(const char* key, const char* name, Operation operation, Level level, int questions)
{
    FluencyTest test;
    test.key = QLatin1String(key);
    test.name = QString::fromUtf8(name);
    test.operation = operation;
    test.level = level;
    test.questions = questions;
    test.limitSeconds = 5 * 60;
    return test;
}

// Two-number additions and subtractions of the windows' level, half each.
FluencyTest addSubPreset(const char* key, const char* name, Level level, int questions)
{
    FluencyTest test = preset(key, name, Operation::Add, level, questions);
    test.mix = {{Operation::Add, level, NumberType::Integer}, {Operation::Sub, level, NumberType::Integer}};
    return test;
}

FluencyTest timesTablePreset(int n)
{
    FluencyTest test = preset("", "", Operation::Mul, Level::OneDigitByOne, 40);
    test.key = QStringLiteral("times-%1-40").arg(n);
    test.name = QStringLiteral("%1的乘法口诀 40 题").arg(n);
    test.limitSeconds = 2 * 60;
    test.mix = {{Operation::Mul, Level::OneDigitByOne, NumberType::Integer, n}};
    return test;
}

} // namespace

QString FluencyTest::limitText() const
{
    if (!timed())
        return QStringLiteral("不限时");
    if (limitSeconds % 60 == 0)
        return QStringLiteral("限时 %1 分钟").arg(limitSeconds / 60);
    return QStringLiteral("限时 %1 秒").arg(limitSeconds);
}

QString FluencyTest::passLineText() const
{
    return QStringLiteral("达标：正确率 ≥ %1 %，%2全部答完").arg(passPercent).arg(timed() ? QStringLiteral("限时内") : QString());
}

QString FluencyTest::description() const
{
    return QStringLiteral("%1 · %2").arg(name, limitText());
}

const std::vector<FluencyTest>& presets()
{
    static const std::vector<FluencyTest> table = [] {
        std::vector<FluencyTest> made = {
            addSubPreset("add-sub-20-60", "20以内加减 60 题", Level::Within20, 60),
            addSubPreset("add-sub-20-100", "20以内加减 100 题", Level::Within20, 100),
            preset("times-table-60", "表内乘法 60 题", Operation::Mul, Level::OneDigitByOne, 60),
            preset("division-table-60", "表内除法 60 题", Operation::Div, Level::OneDigitByOne, 60),
            addSubPreset("two-digit-add-sub-50", "两位数加减一位数 50 题", Level::TwoDigitsByOne, 50),
            preset("carry-add-20-60", "20以内进位加 60 题", Operation::Add, Level::Within20, 60),
            preset("borrow-sub-20-60", "20以内退位减 60 题", Operation::Sub, Level::Within20, 60),
        };
        for (int n = 2; n <= 9; ++n)
            made.push_back(timesTablePreset(n));
        return made;
    }();
    return table;
}

std::vector<Exercise> FluencyTest::parts() const
{
    if (!mix.empty())
        return mix;
    return {{operation, level, type}};
}

QString FluencyTest::choice() const
{
    if (!isCustom())
        return key;
    const QString operationKey = mix.size() > 1 ? QLatin1String(kAddSubKey) : catalogueText(operationInfo(operation).key);
    return QStringList{QLatin1String(kCustomKey), operationKey,
                       catalogueText(levelOptionName(operation, level)), catalogueText(numberTypeKey(type)), QString::number(questions),
                       QString::number(limitSeconds), QString::number(passPercent)}
        .join(QLatin1Char(':'));
}

std::optional<FluencyTest> testFromChoice(const QString& choice)
{
    if (std::optional<FluencyTest> preset = presetByKey(choice))
        return preset;
    const QStringList parts = choice.split(QLatin1Char(':'));
    if (parts.size() != 7 || parts[0] != QLatin1String(kCustomKey))
        return std::nullopt;
    const bool addSub = parts[1] == QLatin1String(kAddSubKey);
    const std::optional<Operation> operation = addSub ? Operation::Add : operationFromKey(parts[1].toStdString());
    if (!operation)
        return std::nullopt;
    const std::optional<Level> level = levelFromName(*operation, parts[2].toStdString());
    const std::optional<NumberType> type = numberTypeFromName(parts[3].toStdString());
    bool countRead = false, secondsRead = false, percentRead = false;
    const int questions = parts[4].toInt(&countRead);
    const int seconds = parts[5].toInt(&secondsRead);
    const int percent = parts[6].toInt(&percentRead);
    if (!level || !type || !countRead || !secondsRead || !percentRead || seconds % 60 != 0)
        return std::nullopt;
    if (addSub)
        return customAddSubTest(*level, *type, questions, seconds / 60, percent);
    return customTest(*operation, *level, *type, questions, seconds / 60, percent);
}

std::optional<FluencyTest> presetByKey(const QString& key)
{
    for (const FluencyTest& test : presets()) {
        if (test.key == key)
            return test;
    }
    return std::nullopt;
}

FluencyTest customTest(Operation operation, Level level, NumberType type, int questions, int limitMinutes,
                       int passPercent)
{
    FluencyTest test;
    test.key = QLatin1String(kCustomKey);
    test.operation = operation;
    test.level = isLevelShown(operation, level) ? level : operationInfo(operation).defaultLevel;
    test.type = isNumberTypeOffered(operation, type) ? type : NumberType::Integer;
    test.questions = std::clamp(questions, kMinQuestions, kMaxQuestions);
    test.limitSeconds = limitMinutes <= 0 ? 0 : 60 * std::clamp(limitMinutes, kMinLimitMinutes, kMaxLimitMinutes);
    test.passPercent = std::clamp(passPercent, 1, 100);
    QString typeName;
    if (test.type != NumberType::Integer)
        typeName = QLatin1Char(' ') + catalogueText(numberTypeCaption(operation, test.type)).simplified();
    test.name = QStringLiteral("自定义 %1 %2%3 %4 题")
                    .arg(catalogueText(operationInfo(operation).name), catalogueText(writtenMath(levelCaption(operation, test.level))),
                         typeName)
                    .arg(test.questions);
    return test;
}

FluencyTest customAddSubTest(Level level, NumberType type, int questions, int limitMinutes, int passPercent)
{
    FluencyTest test = customTest(Operation::Add, level, type, questions, limitMinutes, passPercent);
    test.mix = {{Operation::Add, test.level, test.type}, {Operation::Sub, test.level, test.type}};
    QString typeName;
    if (test.type != NumberType::Integer)
        typeName = QLatin1Char(' ') + catalogueText(numberTypeCaption(Operation::Add, test.type)).simplified();
    test.name = QStringLiteral("自定义 加减 %1%2 %3 题")
                    .arg(catalogueText(levelCaption(Operation::Add, test.level)).replace(QLatin1Char('+'), QStringLiteral("±")),
                         typeName)
                    .arg(test.questions);
    return test;
}

} // namespace zorvel::fluency

// The catalogue table itself: one row per operation with its windows,
// operator captions and words, level and number-type captions and defaults.
#include "questions/catalogue.h"

namespace zorvel {

namespace {

using L = Level;

// Each operation's levels in option order, Option3 to Option14.
constexpr std::array<LevelOption, kLevelOptionCount> kAdditionLevels = {{
    {L::Within20, "20以内", true},          {L::TwoDigitsByOne, "2位 + 1位", true},
    {L::TwoDigitsByTwo, "2位 + 2位", true},   {L::ThreeDigitsByOne, "3位 + 1位", true},
    {L::ThreeDigitsByTwo, "3位 + 2位", true}, {L::ThreeDigitsByThree, "3位 + 3位", true},
    {L::FourDigitsByTwo, "4位 + 2位", true},  {L::FourDigitsByThree, "4位 + 3位", true},
    {L::FourDigitsByFour, "4位 + 4位", true},
}};
constexpr std::array<LevelOption, kLevelOptionCount> kSubtractionLevels = {{
    {L::Within20, "20以内", true},          {L::TwoDigitsByOne, "2位 - 1位", true},
    {L::TwoDigitsByTwo, "2位 - 2位", true},   {L::ThreeDigitsByOne, "3位 - 1位", true},
    {L::ThreeDigitsByTwo, "3位 - 2位", true}, {L::ThreeDigitsByThree, "3位 - 3位", true},
    {L::FourDigitsByTwo, "4位 - 2位", true},  {L::FourDigitsByThree, "4位 - 3位", true},
    {L::FourDigitsByFour, "4位 - 4位", true},
}};
constexpr std::array<LevelOption, kLevelOptionCount> kMixedLevels = {{
    {L::Within20, "20以内", true},          {L::TwoDigitsByOne, "2位 + 1位", true},
    {L::TwoDigitsByTwo, "2位 + 2位", true},   {L::ThreeDigitsByOne, "3位 + 1位", true},
    {L::ThreeDigitsByTwo, "3位 + 2位", true}, {L::ThreeDigitsByThree, "3位 + 3位", true},
    {L::FourDigitsByTwo, "4位 + 2位", true},  {L::FourDigitsByThree, "4位 + 3位", false},
    {L::FourDigitsByFour, "4位 + 4位", false},
}};
constexpr std::array<LevelOption, kLevelOptionCount> kMultiplicationLevels = {{
    {L::OneDigitByOne, "1位 * 1位", true},     {L::OneDigitByTwo, "1位 * 2位", true},
    {L::TwoDigitsByOne, "2位 * 1位", true},    {L::TwoDigitsByTwo, "2位 * 2位", true},
    {L::OneDigitByThree, "1位 * 3位", true},   {L::ThreeDigitsByOne, "3位 * 1位", true},
    {L::TwoDigitsByThree, "2位 * 3位", false}, {L::ThreeDigitsByTwo, "3位 * 2位", false},
    {L::ThreeDigitsByThree, "3位 * 3位", false},
}};
// Division levels name the divisor, then the quotient; there is no Option14.
constexpr std::array<LevelOption, kLevelOptionCount> kDivisionLevels = {{
    {L::OneDigitByOne, "/1位=1位", true},     {L::TwoDigitsByOne, "/2位=1位", true},
    {L::OneDigitByTwo, "/1位=2位", true},     {L::ThreeDigitsByOne, "/3位=1位", true},
    {L::OneDigitByThree, "/1位=3位", true},   {L::TwoDigitsByTwo, "/2位=2位", true},
    {L::TwoDigitsByThree, "/2位=3位", false}, {L::ThreeDigitsByTwo, "/3位=2位", false},
    {std::nullopt, "", false},
}};

constexpr std::array<std::string_view, 3> kPlainTypes = {"整   数", "1位小数", "2位小数"};
constexpr std::array<std::string_view, 3> kMultiplicationTypes = {"整   数", "保留1位小数", "保留2位小数"};
constexpr std::array<std::string_view, 3> kDivisionTypes = {"整   数", "四舍五入保留1位小数", "四舍五入保留2位小数"};

const std::array<OperationInfo, 5> kOperations = {{
    {Operation::Add, "add", "加法", "Form81", "Form91", 2,
     {"+", ""}, {" 加 ", ""}, {"+", ""},
     kAdditionLevels, "类型选择", kPlainTypes, true, L::TwoDigitsByOne},
    {Operation::Sub, "sub", "减法", "Form82", "Form92", 2,
     {"-", ""}, {" 减 ", ""}, {"-", ""},
     kSubtractionLevels, "类型选择", kPlainTypes, true, L::TwoDigitsByOne},
    {Operation::Mixed, "mixed", "加减混合", "Form83", "Form93", 3,
     {"+", "-"}, {" 加 ", " 减 "}, {"+", "-"},
     kMixedLevels, "类型选择", kPlainTypes, true, L::TwoDigitsByOne},
    {Operation::Mul, "mul", "乘法", "Form84", "Form94", 2,
     {"×", ""}, {" 乘 ", ""}, {"×", ""},
     kMultiplicationLevels, "类型选择", kMultiplicationTypes, false, L::OneDigitByOne},
    {Operation::Div, "div", "除法", "Form85", "Form95", 2,
     {"÷", ""}, {" 除以 ", ""}, {"÷", ""},
     kDivisionLevels, "结果保留小数", kDivisionTypes, false, L::OneDigitByOne},
}};

constexpr std::array<std::string_view, kLevelOptionCount> kLevelOptionNames = {
    "Option3", "Option4", "Option5", "Option6", "Option10",
    "Option11", "Option12", "Option13", "Option14"};
constexpr std::array<std::string_view, 3> kNumberTypeOptionNames = {"Option7", "Option8", "Option9"};
constexpr std::array<std::string_view, 3> kNumberTypeKeys = {"integer", "1dp", "2dp"};

int typeIndex(NumberType type) { return static_cast<int>(type); }

} // namespace

const OperationInfo& operationInfo(Operation op) { return kOperations[static_cast<int>(op)]; }

std::string_view levelOptionName(int position) { return kLevelOptionNames[position]; }

const LevelOption& levelOption(Operation op, int position) { return operationInfo(op).levelOptions[position]; }

std::optional<int> levelPosition(Operation op, Level level)
{
    for (int position = 0; position < kLevelOptionCount; ++position)
        if (levelOption(op, position).level == level)
            return position;
    return std::nullopt;
}

std::string_view levelOptionName(Operation op, Level level)
{
    const std::optional<int> position = levelPosition(op, level);
    return position ? levelOptionName(*position) : std::string_view();
}

std::string_view numberTypeOptionName(NumberType type) { return kNumberTypeOptionNames[typeIndex(type)]; }
std::string_view numberTypeKey(NumberType type) { return kNumberTypeKeys[typeIndex(type)]; }

std::string_view levelCaption(Operation op, Level level)
{
    const std::optional<int> position = levelPosition(op, level);
    return position ? levelOption(op, *position).caption : std::string_view();
}

std::string_view numberTypeCaption(Operation op, NumberType type)
{
    return operationInfo(op).numberTypeCaptions[typeIndex(type)];
}

bool isLevelShown(Operation op, Level level)
{
    const std::optional<int> position = levelPosition(op, level);
    return position && levelOption(op, *position).shown;
}

std::vector<Level> offeredLevels(Operation op)
{
    std::vector<Level> levels;
    for (const LevelOption& option : operationInfo(op).levelOptions)
        if (option.shown && option.level)
            levels.push_back(*option.level);
    return levels;
}

bool isNumberTypeOffered(Operation op, NumberType type)
{
    return type == NumberType::Integer || operationInfo(op).numberTypesShown;
}

std::vector<Exercise> offeredExercises()
{
    std::vector<Exercise> exercises;
    for (Operation op : kAllOperations) {
        for (Level level : offeredLevels(op)) {
            for (NumberType type : kAllNumberTypes) {
                if (isNumberTypeOffered(op, type))
                    exercises.push_back({op, level, type});
            }
        }
    }
    return exercises;
}

std::optional<Operation> operationFromKey(std::string_view key)
{
    for (const OperationInfo& info : kOperations)
        if (info.key == key)
            return info.operation;
    return std::nullopt;
}

std::optional<Level> levelFromName(Operation op, std::string_view optionNameOrCaption)
{
    if (optionNameOrCaption.empty())
        return std::nullopt;
    for (int position = 0; position < kLevelOptionCount; ++position) {
        const LevelOption& option = levelOption(op, position);
        if (levelOptionName(position) == optionNameOrCaption || option.caption == optionNameOrCaption)
            return option.level;
    }
    return std::nullopt;
}

std::optional<NumberType> numberTypeFromName(std::string_view name)
{
    for (NumberType type : kAllNumberTypes)
        if (numberTypeOptionName(type) == name || kNumberTypeKeys[typeIndex(type)] == name)
            return type;
    return std::nullopt;
}

} // namespace zorvel

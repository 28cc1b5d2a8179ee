// The catalogue table itself: one row per operation with its windows,
// operator captions and words, level and number-type captions and defaults.
#include "questions/catalogue.h"

namespace zorvel {

namespace {

constexpr std::array<std::string_view, 9> kAdditionLevels = {
    "20以内", "2位 + 1位", "2位 + 2位", "3位 + 1位", "3位 + 2位",
    "3位 + 3位", "4位 + 2位", "4位 + 3位", "4位 + 4位"};
constexpr std::array<std::string_view, 9> kSubtractionLevels = {
    "20以内", "2位 - 1位", "2位 - 2位", "3位 - 1位", "3位 - 2位",
    "3位 - 3位", "4位 - 2位", "4位 - 3位", "4位 - 4位"};
constexpr std::array<std::string_view, 9> kMultiplicationLevels = {
    "1位 * 1位", "1位 * 2位", "2位 * 1位", "2位 * 2位", "1位 * 3位",
    "3位 * 1位", "2位 * 3位", "3位 * 2位", "3位 * 3位"};
// Division has no Option14; its caption stays empty and it is never shown.
constexpr std::array<std::string_view, 9> kDivisionLevels = {
    "/1位=1位", "/2位=1位", "/1位=2位", "/3位=1位", "/1位=3位",
    "/2位=2位", "/2位=3位", "/3位=2位", ""};

constexpr std::array<bool, 9> kAllShown = {true, true, true, true, true, true, true, true, true};
constexpr std::array<bool, 9> kUpToOption12 = {true, true, true, true, true, true, true, false, false};
constexpr std::array<bool, 9> kUpToOption11 = {true, true, true, true, true, true, false, false, false};

constexpr std::array<std::string_view, 3> kPlainTypes = {"整   数", "1位小数", "2位小数"};
constexpr std::array<std::string_view, 3> kMultiplicationTypes = {"整   数", "保留1位小数", "保留2位小数"};
constexpr std::array<std::string_view, 3> kDivisionTypes = {"整   数", "四舍五入保留1位小数", "四舍五入保留2位小数"};

const std::array<OperationInfo, 5> kOperations = {{
    {Operation::Add, "add", "加法", "Form81", "Form91", 2,
     {"+", ""}, {" 加 ", ""}, {"+", ""},
     kAdditionLevels, kAllShown, "类型选择", kPlainTypes, true, Level::Option4},
    {Operation::Sub, "sub", "减法", "Form82", "Form92", 2,
     {"-", ""}, {" 减 ", ""}, {"-", ""},
     kSubtractionLevels, kAllShown, "类型选择", kPlainTypes, true, Level::Option4},
    {Operation::Mixed, "mixed", "加减混合", "Form83", "Form93", 3,
     {"+", "-"}, {" 加 ", " 减 "}, {"+", "-"},
     kAdditionLevels, kUpToOption12, "类型选择", kPlainTypes, true, Level::Option4},
    {Operation::Mul, "mul", "乘法", "Form84", "Form94", 2,
     {"×", ""}, {" 乘 ", ""}, {"×", ""},
     kMultiplicationLevels, kUpToOption11, "类型选择", kMultiplicationTypes, false, Level::Option3},
    {Operation::Div, "div", "除法", "Form85", "Form95", 2,
     {"÷", ""}, {" 除 ", ""}, {"÷", ""},
     kDivisionLevels, kUpToOption11, "结果保留小数", kDivisionTypes, false, Level::Option3},
}};

constexpr std::array<std::string_view, 9> kLevelOptionNames = {
    "Option3", "Option4", "Option5", "Option6", "Option10",
    "Option11", "Option12", "Option13", "Option14"};
constexpr std::array<std::string_view, 3> kNumberTypeOptionNames = {"Option7", "Option8", "Option9"};
constexpr std::array<std::string_view, 3> kNumberTypeKeys = {"integer", "1dp", "2dp"};

int typeIndex(NumberType type) { return static_cast<int>(type); }

} // namespace

const OperationInfo& operationInfo(Operation op) { return kOperations[static_cast<int>(op)]; }

int levelIndex(Level level) { return static_cast<int>(level); }

std::string_view levelOptionName(Level level) { return kLevelOptionNames[levelIndex(level)]; }

std::string_view numberTypeOptionName(NumberType type) { return kNumberTypeOptionNames[typeIndex(type)]; }

std::string_view levelCaption(Operation op, Level level)
{
    return operationInfo(op).levelCaptions[levelIndex(level)];
}

std::string_view numberTypeCaption(Operation op, NumberType type)
{
    return operationInfo(op).numberTypeCaptions[typeIndex(type)];
}

bool isLevelShown(Operation op, Level level) { return operationInfo(op).levelShown[levelIndex(level)]; }

bool isNumberTypeOffered(Operation op, NumberType type)
{
    return type == NumberType::Integer || operationInfo(op).numberTypesShown;
}

std::vector<Exercise> offeredExercises()
{
    std::vector<Exercise> exercises;
    for (Operation op : kAllOperations) {
        for (Level level : kAllLevels) {
            if (!isLevelShown(op, level))
                continue;
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
    for (Level level : kAllLevels)
        if (levelOptionName(level) == optionNameOrCaption || levelCaption(op, level) == optionNameOrCaption)
            return level;
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

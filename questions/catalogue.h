// The exercise catalogue: operations, difficulty levels and number types with
// their captions, which of them each operation offers, and the defaults.
// Windows, tools and tests all read this one table.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace zorvel {

enum class Operation { Add, Sub, Mixed, Mul, Div };

// Difficulty levels, named by the digit counts of the two numbers a level's
// caption names: the operands of addition, subtraction and multiplication
// ("2位 * 1位" is TwoDigitsByOne), the first two terms of a mixed question,
// and the divisor and the quotient of a division ("/2位=1位" is
// TwoDigitsByOne too). Within20 is the entry level of addition, subtraction
// and mixed questions.
enum class Level {
    Within20,
    OneDigitByOne, OneDigitByTwo, OneDigitByThree,
    TwoDigitsByOne, TwoDigitsByTwo, TwoDigitsByThree,
    ThreeDigitsByOne, ThreeDigitsByTwo, ThreeDigitsByThree,
    FourDigitsByTwo, FourDigitsByThree, FourDigitsByFour,
};

// The "难度选择" frame has nine option buttons, Option3 to Option14 in the
// order they are tested and shown; each operation puts one of its levels on
// each button, or none (division has no Option14).
inline constexpr int kLevelOptionCount = 9;

struct LevelOption {
    std::optional<Level> level;
    std::string_view caption;
    bool shown;  // an option not shown exists with its caption but cannot be chosen
};

// The three options of the number-type frame.
enum class NumberType { Integer /* Option7 */, OneDecimal /* Option8 */, TwoDecimals /* Option9 */ };
inline constexpr std::array<NumberType, 3> kAllNumberTypes = {
    NumberType::Integer, NumberType::OneDecimal, NumberType::TwoDecimals};

inline constexpr std::array<Operation, 5> kAllOperations = {
    Operation::Add, Operation::Sub, Operation::Mixed, Operation::Mul, Operation::Div};

struct OperationInfo {
    Operation operation;
    std::string_view key;            // "add", "sub", "mixed", "mul", "div"
    std::string_view name;           // "加法"
    std::string_view normalWindow;   // "Form81"
    std::string_view listeningWindow;// "Form91"
    int operandCount;                // 2, or 3 for mixed
    // Operator captions between the operands: [0] before the second operand
    // ("+"), [1] before the third (mixed only, "-"), otherwise empty.
    std::array<std::string_view, 2> operatorCaptions;
    // Operator words of the spoken question, one blank on each side (" 加 ").
    std::array<std::string_view, 2> operatorWords;
    // Plain-text operator signs for printed sheets (+, -, ×, ÷).
    std::array<std::string_view, 2> sheetSigns;
    std::array<LevelOption, kLevelOptionCount> levelOptions;  // Option3 to Option14
    std::string_view numberTypeFrameCaption;         // "类型选择" / "结果保留小数"
    std::array<std::string_view, 3> numberTypeCaptions;
    bool numberTypesShown;                           // false for mul and div
    Level defaultLevel;
};

const OperationInfo& operationInfo(Operation op);

// The level options as the windows build them, by position 0..8.
std::string_view levelOptionName(int position);    // "Option3" .. "Option14"
const LevelOption& levelOption(Operation op, int position);
std::optional<int> levelPosition(Operation op, Level level);
std::string_view levelOptionName(Operation op, Level level); // "Option4"; empty if none holds it

std::string_view numberTypeOptionName(NumberType type); // "Option7" .. "Option9"
std::string_view numberTypeKey(NumberType type);        // "integer", "1dp", "2dp"
std::string_view levelCaption(Operation op, Level level);  // empty if the operation has no such level
std::string_view numberTypeCaption(Operation op, NumberType type);
bool isLevelShown(Operation op, Level level);
// The levels the operation offers, in option order.
std::vector<Level> offeredLevels(Operation op);
bool isNumberTypeOffered(Operation op, NumberType type); // Integer always; decimals for add/sub/mixed

// One exercise a window can offer: an operation at a shown level with an
// offered number type.
struct Exercise {
    Operation operation;
    Level level;
    NumberType type;
    // 乘法口诀: 2 to 9, the one factor every question has (the other 1 to 9,
    // either way round); 0 for the level's own questions.
    int timesTable = 0;
};
// Every exercise the windows offer, operation by operation, level by level.
std::vector<Exercise> offeredExercises();

// Look-ups by name, for tools: "add" -> Add; "Option4" or a caption -> Level.
std::optional<Operation> operationFromKey(std::string_view key);
std::optional<Level> levelFromName(Operation op, std::string_view optionNameOrCaption);
std::optional<NumberType> numberTypeFromName(std::string_view name); // Option7/8/9, integer/1dp/2dp

} // namespace zorvel

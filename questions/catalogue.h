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

// The nine level options of the "难度选择" frame, in the order they are tested
// and shown.
enum class Level { Option3, Option4, Option5, Option6, Option10, Option11, Option12, Option13, Option14 };
inline constexpr std::array<Level, 9> kAllLevels = {
    Level::Option3, Level::Option4, Level::Option5, Level::Option6, Level::Option10,
    Level::Option11, Level::Option12, Level::Option13, Level::Option14};

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
    std::array<std::string_view, 9> levelCaptions;   // indexed like kAllLevels
    std::array<bool, 9> levelShown;                  // indexed like kAllLevels
    std::string_view numberTypeFrameCaption;         // "类型选择" / "结果保留小数"
    std::array<std::string_view, 3> numberTypeCaptions;
    bool numberTypesShown;                           // false for mul and div
    Level defaultLevel;
};

const OperationInfo& operationInfo(Operation op);

int levelIndex(Level level);                       // 0..8, position in kAllLevels
std::string_view levelOptionName(Level level);     // "Option3" .. "Option14"
std::string_view numberTypeOptionName(NumberType type); // "Option7" .. "Option9"
std::string_view levelCaption(Operation op, Level level);
std::string_view numberTypeCaption(Operation op, NumberType type);
bool isLevelShown(Operation op, Level level);
bool isNumberTypeOffered(Operation op, NumberType type); // Integer always; decimals for add/sub/mixed

// One exercise a window can offer: an operation at a shown level with an
// offered number type.
struct Exercise {
    Operation operation;
    Level level;
    NumberType type;
};
// Every exercise the windows offer, operation by operation, level by level.
std::vector<Exercise> offeredExercises();

// Look-ups by name, for tools: "add" -> Add; "Option4" or a caption -> Level.
std::optional<Operation> operationFromKey(std::string_view key);
std::optional<Level> levelFromName(Operation op, std::string_view optionNameOrCaption);
std::optional<NumberType> numberTypeFromName(std::string_view name); // Option7/8/9, integer/1dp/2dp

} // namespace zorvel

// The ten rows of the drill-window family and the two layouts they share.
#include "normal_drill/family_table.h"

#include "design_units/screen_units.h"

namespace zorvel {

namespace {

const SideLayout kNormalSide = {
    QRect(120, 1440, 1700, 4215), 420, 420,
    QRect(120, 5880, 1700, 1695), {420, 840, 1260},
    QRect(240, 7920, 1455, 800),
    QRect(240, 9480, 1455, 800),
    QRect(13800, 1440, 1400, 495),
    QRect(),
    240,
};

const SideLayout kListeningSide = {
    QRect(120, 840, 1700, 5295), 480, 525,
    QRect(120, 6360, 1700, 2175), {480, 1005, 1560},
    QRect(120, 9720, 1665, 800),
    QRect(120, 8760, 1695, 571),
    QRect(10920, 3960, 1300, 375),
    QRect(10920, 3360, 1300, 375),
    480,
};

const OperandLayout kTwoOperands = {
    {QRect(3120, 1560, 6405, 2700), QRect(3120, 4680, 6405, 2700), QRect()},
    {QRect(1920, 4920, 1150, 2460), QRect()},
};

const OperandLayout kThreeOperands = {
    {QRect(3120, 1200, 6405, 2040), QRect(3120, 3480, 6405, 2040), QRect(3120, 5760, 6405, 1960)},
    {QRect(1920, 3480, 1150, 2040), QRect(1920, 5760, 1150, 1960)},
};

const QColor kBlack = colorFromBgr(0x000000);
const QColor kRed = colorFromBgr(0x0000FF);
const QColor kMagenta = colorFromBgr(0xFF00FF);

struct OperationLook {
    Operation operation;
    QString heading;
    std::array<QColor, 2> operatorColours;
    std::array<QColor, 3> operandColours;
    qreal integerFontPt;
    qreal decimalFontPt;
};

const OperationLook kLooks[] = {
    {Operation::Add, QStringLiteral("Zorvel (加 法) "), {kBlack, kBlack}, {kBlack, kBlack, kBlack}, 150, 120},
    {Operation::Sub, QStringLiteral("Zorvel (减 法) "), {kMagenta, kBlack}, {kBlack, kMagenta, kBlack}, 150, 120},
    {Operation::Mixed, QStringLiteral("Zorvel (加减混合) "), {kBlack, kMagenta}, {kBlack, kBlack, kMagenta}, 120, 120},
    {Operation::Mul, QStringLiteral("Zorvel (乘 法) "), {kRed, kBlack}, {kBlack, kBlack, kBlack}, 140, 140},
    {Operation::Div, QStringLiteral("Zorvel (除 法) "), {kMagenta, kBlack}, {kBlack, kMagenta, kBlack}, 150, 150},
};

enum class Guard { None, Keyboard };
enum class Numbering { TwoCharacters, Plain };

FamilyRow makeRow(const QString& formName, const OperationLook& look, Mode mode,
                  std::vector<QString> focusKeeping, Guard guard, Numbering numbering, int widthTwips,
                  const QString& minutesCaption)
{
    return FamilyRow{
        formName, look.operation, mode, look.heading, look.operatorColours, look.operandColours,
        look.integerFontPt, look.decimalFontPt, std::move(focusKeeping), guard == Guard::Keyboard,
        numbering == Numbering::Plain, widthTwips, minutesCaption,
        mode == Mode::Normal ? &kNormalSide : &kListeningSide,
        operationInfo(look.operation).operandCount == 3 ? &kThreeOperands : &kTwoOperands,
        mode == Mode::Normal ? QStringLiteral("normal") : QStringLiteral("listening"),
        true,
    };
}

std::vector<FamilyRow> buildTable()
{
    const QString o3 = QStringLiteral("Option3");
    const QString o4 = QStringLiteral("Option4");
    const QString o7 = QStringLiteral("Option7");
    const QString zero = QStringLiteral("0");
    const auto& add = kLooks[0];
    const auto& sub = kLooks[1];
    const auto& mixed = kLooks[2];
    const auto& mul = kLooks[3];
    const auto& div = kLooks[4];
    const Mode normal = Mode::Normal;
    const Mode listening = Mode::Listening;
    const Guard none = Guard::None;
    const Guard keys = Guard::Keyboard;
    const Numbering two = Numbering::TwoCharacters;
    const Numbering plain = Numbering::Plain;
    return {
        makeRow("Form81", add, normal, {o3, o4, o7}, none, two, 15210, zero),
        makeRow("Form82", sub, normal, {o3, o4, o7}, none, plain, 15210, zero),
        makeRow("Form83", mixed, normal, {o3, o4, o7}, none, two, 15210, zero),
        makeRow("Form84", mul, normal, {o3, o4, o7}, none, two, 15210, zero),
        makeRow("Form85", div, normal, {o3, o4, o7}, none, two, 15765, zero),
        makeRow("Form91", add, listening, {o3, o4, o7}, keys, two, 15210, QStringLiteral("20")),
        makeRow("Form92", sub, listening, {o4, o7}, keys, two, 15765, zero),
        makeRow("Form93", mixed, listening, {o4, o7}, none, two, 15765, zero),
        makeRow("Form94", mul, listening, {o3, o7}, keys, two, 15765, zero),
        makeRow("Form95", div, listening, {o3, o7}, keys, two, 15765, zero),
    };
}

std::vector<FamilyRow> buildPracticeTable()
{
    const QString o4 = QStringLiteral("Option4");
    FamilyRow daily = makeRow("frmDaily", kLooks[3], Mode::Normal, {o4}, Guard::None, Numbering::TwoCharacters,
                              15210, QStringLiteral("0"));
    daily.heading = QStringLiteral("今日练习");
    daily.choosesExercise = false;
    daily.recordedMode = QStringLiteral("practice");
    return {daily};
}

} // namespace

const FamilyRow* practiceRow(const QString& formName)
{
    static const std::vector<FamilyRow> table = buildPracticeTable();
    for (const FamilyRow& row : table) {
        if (row.formName == formName)
            return &row;
    }
    return nullptr;
}

const std::vector<FamilyRow>& familyTable()
{
    static const std::vector<FamilyRow> table = buildTable();
    return table;
}

const FamilyRow* familyRow(const QString& formName)
{
    for (const FamilyRow& row : familyTable()) {
        if (row.formName == formName)
            return &row;
    }
    return nullptr;
}

} // namespace zorvel

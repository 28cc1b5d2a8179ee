// What the presets hold: 100 questions of each, drawn as every window, sheet
// and recording draws them, are two-number questions of the operations its
// name says (both of them where it names two), right by their own sign, and
// within 20 where the name says so. A teacher's own addition-and-subtraction
// test comes back from its choice.
#include "fluency/fluency_test.h"
#include "questions/test_draw.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace zorvel;
using namespace zorvel::fluency;

namespace {

struct PresetRow {
    const char* key;
    std::set<Operation> operations;
    int largestNumber;  // no operand or answer above it
};

const PresetRow kRows[] = {
    {"add-sub-20-60", {Operation::Add, Operation::Sub}, 20},
    {"two-digit-add-sub-50", {Operation::Add, Operation::Sub}, 99},
    {"carry-add-20-60", {Operation::Add}, 20},
    {"borrow-sub-20-60", {Operation::Sub}, 20},
    {"times-7-40", {Operation::Mul}, 63},
};

} // namespace

TEST(PresetContents, HoldWhatTheirNamesSay)
{
    for (const PresetRow& row : kRows) {
        const std::optional<FluencyTest> test = presetByKey(QLatin1String(row.key));
        ASSERT_TRUE(test) << row.key;
        std::set<Operation> seen;
        for (const DrawnQuestion& drawn : drawTest({test->parts(), Mode::Normal, 100, 3})) {
            const Question& q = drawn.question;
            ASSERT_EQ(q.operandCount, 2) << row.key;
            const int a = std::stoi(q.operands[0]), b = std::stoi(q.operands[1]);
            const int expected = drawn.operation == Operation::Add ? a + b
                                 : drawn.operation == Operation::Sub ? a - b
                                                                     : a * b;
            EXPECT_EQ(int(q.correctAnswer), expected) << row.key;
            EXPECT_LE(std::max({a, b, expected}), row.largestNumber) << row.key << " " << a << " " << b;
            if (drawn.operation == Operation::Mul) {
                EXPECT_TRUE(a == 7 || b == 7) << a << " × " << b;
            }
            seen.insert(drawn.operation);
        }
        EXPECT_EQ(seen, row.operations) << row.key;
    }
}

TEST(PresetContents, AnAddSubChoiceComesBack)
{
    const FluencyTest test = customAddSubTest(Level::TwoDigitsByOne, NumberType::Integer, 40, 3, 90);
    const std::optional<FluencyTest> again = testFromChoice(test.choice());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->parts().size(), 2u);
    EXPECT_EQ(again->choice(), test.choice());
}

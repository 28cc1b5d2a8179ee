// What one generation hands to its window (operand texts and the correct
// answer), and the question log a window keeps for entries 1 to 20.
#pragma once

#include <array>
#include <string>

namespace zorvel {

struct Question {
    int operandCount = 2;                 // 3 for mixed questions
    std::array<std::string, 3> operands;  // operand texts as shown ("47", "4.7", "0.08")
    float correctAnswer = 0.0f;
};

class QuestionLog {
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 20;
    // Writes entry n (1..20); other numbers are ignored.
    void write(int n, const Question& q);
    // Entry n; an empty question for a number never written or out of range.
    const Question& entry(int n) const;

private:
    std::array<Question, kLast + 1> entries_{};
};

} // namespace zorvel

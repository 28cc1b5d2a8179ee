// A similar question for each operation, kept within the tables' numbers.
#include "class_record/retry_questions.h"

#include <optional>

namespace zorvel::classroom {

namespace {

std::optional<RetryQuestion> similar(const ClassMistake& mistake)
{
    if (mistake.operands.size() != 2)
        return std::nullopt;
    bool ok1 = false, ok2 = false;
    const int a = mistake.operands[0].toInt(&ok1), b = mistake.operands[1].toInt(&ok2);
    if (!ok1 || !ok2 || a < 0 || b <= 0)
        return std::nullopt;
    const QString& op = mistake.operation;
    const auto question = [&op](int x, int y, int answer) {
        return RetryQuestion{op, {QString::number(x), QString::number(y)}, QString::number(answer)};
    };
    if (op == QLatin1String("add"))
        return a != b ? question(b, a, a + b) : question(a + 1, b, a + b + 1);
    if (op == QLatin1String("mul"))
        return a != b ? question(b, a, a * b) : question(a, b + 1, a * (b + 1));
    if (op == QLatin1String("sub"))
        return question(a + 1, b, a + 1 - b);
    if (op == QLatin1String("div") && a % b == 0)
        return a / b > 0 ? std::optional<RetryQuestion>(question(a, a / b, b)) : std::nullopt;
    return std::nullopt;
}

} // namespace

std::vector<RetryQuestion> retryQuestions(const std::vector<ClassMistake>& mistakes, int count)
{
    std::vector<RetryQuestion> questions;
    for (int i = 0; i < count && i < int(mistakes.size()); ++i) {
        const ClassMistake& mistake = mistakes[std::size_t(i)];
        questions.push_back({mistake.operation, mistake.operands, mistake.answer});
        if (const std::optional<RetryQuestion> other = similar(mistake))
            questions.push_back(*other);
    }
    return questions;
}

} // namespace zorvel::classroom

// Walking a level row's accepted operands: the pairs in order of the first
// operand, then the second; for mixed questions every accepted third term of
// each pair.
#include "questions/question_space.h"

#include "questions/decimal_scaling.h"
#include "questions/level_rules.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

namespace zorvel {

namespace {

// Calls visit(integers) for each accepted question until it returns true;
// true when one did.
template <typename Visit>
bool walkLevel(Operation op, Level level, long long start, Visit&& visit)
{
    level = shownLevel(op, level);
    const PairRule& rule = pairRule(op, level);
    const ThirdRule* third = op == Operation::Mixed ? &mixedThirdRule(level) : nullptr;
    const long long firsts = rule.first.count;
    const long long offset = ((start % firsts) + firsts) % firsts;
    for (long long k = 0; k < firsts; ++k) {
        const int a = rule.first.lowest + int((offset + k) % firsts);
        if (rule.firstRejected(a))
            continue;
        for (int b = rule.second.lowest; b <= rule.second.highest(); ++b) {
            if (rule.rejected(a, b))
                continue;
            if (!third) {
                if (visit(integersOf(op, a, b, 0)))
                    return true;
                continue;
            }
            for (int c = third->draw.lowest; c <= third->draw.highest(); ++c)
                if (!third->rejected(a, b, c) && visit(integersOf(op, a, b, c)))
                    return true;
        }
    }
    return false;
}

long long walkCount(Operation op, Level level, long long cap)
{
    long long count = 0;
    walkLevel(op, level, 0, [&](const IntegerQuestion&) { return ++count >= cap; });
    return count;
}

} // namespace

long long countQuestions(Operation op, Level level, long long cap)
{
    // A count once made holds for the run: (count, cap it was made with).
    static std::mutex mutex;
    static std::map<std::pair<Operation, Level>, std::pair<long long, long long>> counted;
    const auto key = std::make_pair(op, shownLevel(op, level));
    std::lock_guard<std::mutex> lock(mutex);
    auto known = counted.find(key);
    if (known != counted.end() && (known->second.first < known->second.second || known->second.second >= cap))
        return std::min(known->second.first, cap);
    const long long count = walkCount(op, level, cap);
    counted[key] = {count, cap};
    return count;
}

bool findQuestion(Operation op, Level level, NumberType type, long long start,
                  const std::function<bool(const Question&)>& accept, Question& found)
{
    if (!isNumberTypeOffered(op, type))
        type = NumberType::Integer;
    return walkLevel(op, level, start, [&](const IntegerQuestion& integers) {
        Question question = scaleQuestion(integers, op, type);
        if (!accept(question))
            return false;
        found = std::move(question);
        return true;
    });
}

} // namespace zorvel

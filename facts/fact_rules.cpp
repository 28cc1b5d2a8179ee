// Thresholds, box moves, due days and mastery.
#include "facts/fact_rules.h"

#include <algorithm>

namespace zorvel::facts {

std::string_view speedKey(Speed speed)
{
    static constexpr std::string_view keys[] = {"gentle", "standard", "strict"};
    return keys[static_cast<int>(speed)];
}

std::optional<Speed> speedFromKey(std::string_view key)
{
    return valueOfKey(kAllSpeeds, speedKey, key);
}

std::string_view speedName(Speed speed)
{
    static constexpr std::string_view names[] = {"宽松", "标准", "严格"};
    return names[static_cast<int>(speed)];
}

int thresholdMs(const Fact& fact, Speed speed)
{
    static constexpr int baseMs[] = {6000, 3000, 2000};
    int digits = 1;
    for (int answer = fact.answer(); answer >= 10; answer /= 10)
        ++digits;
    return baseMs[static_cast<int>(speed)] + 1000 * (digits - 1);
}

Grade grade(bool right, int ms, int thresholdMs)
{
    if (!right || ms > kTimeoutMs)
        return Grade::Wrong;
    if (ms <= thresholdMs)
        return Grade::Fast;
    if (ms <= 2 * thresholdMs)
        return Grade::Slow;
    return Grade::TooSlow;
}

int firstBox(Grade grade)
{
    return grade == Grade::Fast ? 2 : 1;
}

int nextBox(int box, Grade grade)
{
    switch (grade) {
    case Grade::Fast: return std::min(box + 1, kTopBox);
    case Grade::Slow: return box;
    case Grade::TooSlow: return std::max(box - 1, 1);
    case Grade::Wrong: break;
    }
    return 1;
}

int dueAfterDays(int box)
{
    static constexpr int days[] = {0, 0, 1, 3, 7, 21};
    return days[std::clamp(box, 0, kTopBox)];
}

void RecentGrades::add(Grade grade)
{
    if (count == 3) {
        grades[0] = grades[1];
        grades[1] = grades[2];
        grades[2] = grade;
        return;
    }
    grades[static_cast<std::size_t>(count++)] = grade;
}

bool mastered(const RecentGrades& recent)
{
    if (recent.count == 0 || recent.grades[static_cast<std::size_t>(recent.count - 1)] == Grade::Wrong)
        return false;
    return std::count(recent.grades.begin(), recent.grades.begin() + recent.count, Grade::Fast) >= 2;
}

} // namespace zorvel::facts

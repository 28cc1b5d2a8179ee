// The rules of the daily practice, small enough to explain on one screen:
// how fast an answer must be (the speed threshold T), the box an answer puts
// a fact in, when each box is due again, and when a fact counts as mastered.
#pragma once

#include "facts/fact.h"

#include <array>
#include <optional>
#include <string_view>

namespace zorvel::facts {

// The speed setting of a pupil: 宽松 for younger pupils, 严格 for older ones.
enum class Speed { Gentle, Standard, Strict };
inline constexpr std::array<Speed, 3> kAllSpeeds = {Speed::Gentle, Speed::Standard, Speed::Strict};
std::string_view speedKey(Speed speed);   // "gentle", "standard", "strict"
std::optional<Speed> speedFromKey(std::string_view key);
std::string_view speedName(Speed speed);  // "宽松", "标准", "严格"

// No answer within this time is a wrong answer.
inline constexpr int kTimeoutMs = 20000;

// T: 3 s (宽松 6 s, 严格 2 s) plus 1 s for every digit of the answer beyond
// the first.
int thresholdMs(const Fact& fact, Speed speed);

// An answer, judged by T.
enum class Grade {
    Fast,     // right within T
    Slow,     // right within 2T
    TooSlow,  // right, slower than 2T
    Wrong,    // wrong, or no answer within kTimeoutMs
};
Grade grade(bool right, int ms, int thresholdMs);

// Boxes: 0 never asked, 1 to 5.
inline constexpr int kTopBox = 5;
// The box after a fact's first answer.
int firstBox(Grade grade);
// The box after a later answer.
int nextBox(int box, Grade grade);
// Days until a fact in this box is due again; box 1 is due at once (it comes
// back in the same session).
int dueAfterDays(int box);

// The last three grades of a fact, oldest first; fewer while it is new.
struct RecentGrades {
    std::array<Grade, 3> grades{};
    int count = 0;
    void add(Grade grade);
};
// Right within T in at least 2 of the last 3 attempts, the latest one right.
bool mastered(const RecentGrades& recent);

} // namespace zorvel::facts

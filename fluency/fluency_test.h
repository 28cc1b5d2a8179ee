// The timed tests a pupil can take in 达标测试: a handful of presets that
// teachers give (60 questions of 20以内加减 in 5 minutes, …) and a teacher's
// own choice of exercise, count, time limit and pass percentage. The window,
// the printed sheet and zorvel-questions --preset read the same table.
#pragma once

#include "questions/catalogue.h"

#include <QString>

#include <optional>
#include <vector>

namespace zorvel::fluency {

inline constexpr int kMinQuestions = 10;
inline constexpr int kMaxQuestions = 200;
inline constexpr int kMinLimitMinutes = 1;
inline constexpr int kMaxLimitMinutes = 20;
inline constexpr int kDefaultPassPercent = 90;
inline constexpr const char* kCustomKey = "custom";

struct FluencyTest {
    QString key;            // "add-sub-20-60", or "custom"
    QString name;           // "20以内加减 60 题"
    Operation operation = Operation::Mixed;
    Level level = Level::Within20;
    NumberType type = NumberType::Integer;
    int questions = 60;
    int limitSeconds = 300; // 0: no limit, the stopwatch runs
    int passPercent = kDefaultPassPercent;
    // The exercises the questions are drawn from, about evenly; empty for
    // operation, level and type alone (which hold the first of them).
    std::vector<Exercise> mix;

    std::vector<Exercise> parts() const;
    bool timed() const { return limitSeconds > 0; }
    bool isCustom() const { return key == QLatin1String(kCustomKey); }
    // "限时 5 分钟" or "不限时".
    QString limitText() const;
    // "达标：正确率 ≥ 90 %，限时内全部答完" (or "…全部答完" without a limit).
    QString passLineText() const;
    // "20以内加减 60 题 · 限时 5 分钟".
    QString description() const;
    // The test as one word that names it again through testFromChoice(): the
    // preset's key, or "custom:mul:Option3:integer:60:300:90" (operation,
    // level option, number type, questions, seconds, percent). Personal bests
    // are kept under it and a pupil's last choice is remembered as it.
    QString choice() const;
};

const std::vector<FluencyTest>& presets();
// A preset by its key; none for an unknown key.
std::optional<FluencyTest> presetByKey(const QString& key);

// The key of a teacher's own addition-and-subtraction test in choice().
inline constexpr const char* kAddSubKey = "addsub";

// A teacher's own test, brought into range: 10..200 questions, 1..20
// minutes or no limit (limitMinutes 0), a pass percentage of 1..100; a level
// or number type the operation does not offer falls back to its default.
FluencyTest customTest(Operation operation, Level level, NumberType type, int questions, int limitMinutes,
                       int passPercent);
// The same with additions and subtractions of the level, about half each.
FluencyTest customAddSubTest(Level level, NumberType type, int questions, int limitMinutes, int passPercent);

// The test a choice() names; none for a word that names no test.
std::optional<FluencyTest> testFromChoice(const QString& choice);

} // namespace zorvel::fluency

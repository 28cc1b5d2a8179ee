// A random source that plays back a script of r values and counts how many
// were taken, so tests can pin down draw order and which draws are repeated.
#pragma once

#include "questions/level_rules.h"
#include "questions/random_source.h"

#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zorvel {

class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> script = {}) : script_(std::move(script)) {}

    double next() override
    {
        if (taken_ >= script_.size())
            throw std::runtime_error("random script exhausted");
        return script_[taken_++];
    }
    void reseedFromClock() override {}

    void append(double r) { script_.push_back(r); }
    std::size_t taken() const { return taken_; }
    std::size_t left() const { return script_.size() - taken_; }

private:
    std::vector<double> script_;
    std::size_t taken_ = 0;
};

// The r that makes Int(r * count) + lowest yield value.
inline double rFor(int value, IntDraw draw) { return (value - draw.lowest + 0.5) / draw.count; }

// The level tables' draws, named by count and lowest value.
constexpr IntDraw d7_3{7, 3}, d8_2{8, 2}, d9_11{9, 11}, d70_31{70, 31}, d50_11{50, 11}, d50_21{50, 21},
    d50_41{50, 41}, d60_21{60, 21}, d900_101{900, 101}, d80_21{80, 21}, d700_301{700, 301},
    d500_201{500, 201}, d500_101{500, 101}, d800_201{800, 201}, d5000_1001{5000, 1001},
    d8000_2001{8000, 2001};

// A script of the r values that yield each value from its draw, in order.
inline ScriptedRandom scriptOf(std::initializer_list<std::pair<int, IntDraw>> steps)
{
    ScriptedRandom rng;
    for (const auto& [value, draw] : steps)
        rng.append(rFor(value, draw));
    return rng;
}

} // namespace zorvel

// A random source that plays back a script of r values and counts how many
// were taken, so tests can pin down draw order and which draws are repeated.
#pragma once

#include "questions/level_rules.h"
#include "questions/random_source.h"

#include <stdexcept>
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

} // namespace zorvel

// The five question generators, level by level, with decimal scaling, and the
// question source a window keeps (which adds the listening windows'
// repeat-answer redraw).
#pragma once

#include "questions/catalogue.h"
#include "questions/question.h"
#include "questions/random_source.h"

#include <optional>

namespace zorvel {

// One question of the operation at the level and number type, drawn from rng.
// Levels the operation does not offer fall back to its default level;
// decimal types apply only where the operation offers them.
Question generateQuestion(Operation op, Level level, NumberType type, RandomSource& rng);

enum class Mode { Normal, Listening };

// A window's generator: makes the next question and, in listening mode,
// makes it again while its answer equals that of the question it made before.
class QuestionSource {
public:
    QuestionSource(Operation op, Mode mode);
    Question next(Level level, NumberType type, RandomSource& rng);
    // Forget the previous answer (a fresh window compares with nothing).
    void forgetPrevious();
    Operation operation() const { return op_; }

private:
    Operation op_;
    Mode mode_;
    std::optional<float> previousAnswer_;
};

} // namespace zorvel

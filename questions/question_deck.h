// The questions of one test, or of one printed page, drawn without repeats:
// the deck remembers the questions it has dealt and redraws from the
// generator while a new one matches a remembered one, so that a test never
// shows the same question twice where its level has at least three times as
// many questions as the test asks, and never the same question twice in a
// row. A smaller level is remembered for a third of its questions. The
// listening windows' rule (an answer never equal to the one before) holds
// too. The generators themselves keep their own draws.
#pragma once

#include "questions/generators.h"
#include "questions/question.h"
#include "questions/random_source.h"

#include <deque>
#include <optional>

namespace zorvel {

// Two questions with the same operand texts.
bool sameQuestion(const Question& a, const Question& b);

class QuestionDeck {
public:
    // span: the questions one test (or page) asks.
    QuestionDeck(Operation op, Mode mode, int span);

    // A new test: the questions of the last one are forgotten, except that
    // the next may not equal the one just asked.
    void startTest();
    // A question asked without drawing (a mistakes-book question of a
    // "重练" test) counts as dealt.
    void noteAsked(const Question& question);
    Question draw(Level level, NumberType type, RandomSource& rng);

    Operation operation() const { return op_; }
    // Draws from the generator before the level is walked for a question.
    static constexpr int kTries = 48;

private:
    // How many of the last questions a new one must differ from at the level.
    std::size_t memoryAt(Level level) const;
    bool remembered(const Question& question, std::size_t memory) const;
    bool answerAllowed(const Question& question) const;
    Question walked(Level level, NumberType type, RandomSource& rng, std::size_t memory) const;
    Question deal(Question question);

    Operation op_;
    Mode mode_;
    std::size_t span_;
    std::deque<Question> dealt_;             // newest last, at most span_
    std::optional<Question> previous_;       // kept across tests
};

} // namespace zorvel

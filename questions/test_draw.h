// The questions of one test from its seed, whatever it is printed, shown or
// recorded as: every format of zorvel-questions, the printed sheets and the
// exported recordings draw through here, so that one seed gives one test.
// A test may draw from several exercises (a preset of additions and
// subtractions): each question's exercise is chosen at random, about evenly,
// and no question repeats anywhere in the test where its level has enough.
#pragma once

#include "questions/catalogue.h"
#include "questions/generators.h"
#include "questions/question_deck.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace zorvel {

// The longest stretch of a test whose questions are kept apart: a whole test
// of a window or a preset, or the largest printed page.
inline constexpr int kLongestDeckSpan = 200;
int deckSpan(int count);

struct DrawnQuestion {
    Operation operation = Operation::Add;
    Question question;
};

// A deck per exercise, each spanning the whole test: a question of one
// exercise never equals one of another, so keeping each apart keeps the test.
class MixedDeck {
public:
    MixedDeck(const std::vector<Exercise>& parts, Mode mode, int span);
    void startTest();
    DrawnQuestion draw(RandomSource& rng);
    // A question asked without drawing counts as dealt in its exercise's deck.
    void noteAsked(const DrawnQuestion& question);

private:
    Question drawFromTable(std::size_t part, RandomSource& rng);

    std::vector<Exercise> parts_;
    std::vector<QuestionDeck> decks_;
    std::vector<std::deque<Question>> tableDealt_;  // the last questions of each times-table part
};

struct TestRequest {
    std::vector<Exercise> parts;  // at least one
    Mode mode = Mode::Normal;
    int count = 10;
    std::uint64_t seed = 0;
};

// visit(n, question) for n = 1..count, in order.
void forEachTestQuestion(const TestRequest& request, const std::function<void(int, const DrawnQuestion&)>& visit);
std::vector<DrawnQuestion> drawTest(const TestRequest& request);

} // namespace zorvel

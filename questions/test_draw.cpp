// Dealing one test from its seed across one or more exercises.
#include "questions/test_draw.h"

#include "questions/random_source.h"

#include <algorithm>
#include <string>

namespace zorvel {

int deckSpan(int count) { return std::clamp(count, 1, kLongestDeckSpan); }

MixedDeck::MixedDeck(const std::vector<Exercise>& parts, Mode mode, int span) : parts_(parts)
{
    if (parts_.empty())
        parts_.push_back({Operation::Add, operationInfo(Operation::Add).defaultLevel, NumberType::Integer});
    for (const Exercise& part : parts_)
        decks_.emplace_back(part.operation, mode, span);
    tableDealt_.resize(parts_.size());
}

namespace {

// n × k or k × n: 17 questions, of which the last five are kept apart.
constexpr std::size_t kTableMemory = 5;

Question tableQuestion(int n, RandomSource& rng)
{
    const int k = rng.draw(9, 1);
    const bool nFirst = rng.draw(2, 0) == 0;
    Question question;
    question.operands[0] = std::to_string(nFirst ? n : k);
    question.operands[1] = std::to_string(nFirst ? k : n);
    question.correctAnswer = float(n * k);
    return question;
}

} // namespace

Question MixedDeck::drawFromTable(std::size_t part, RandomSource& rng)
{
    std::deque<Question>& dealt = tableDealt_[part];
    Question question;
    for (int i = 0; i < QuestionDeck::kTries; ++i) {
        question = tableQuestion(parts_[part].timesTable, rng);
        if (std::none_of(dealt.begin(), dealt.end(), [&](const Question& q) { return sameQuestion(q, question); }))
            break;
    }
    dealt.push_back(question);
    if (dealt.size() > kTableMemory)
        dealt.pop_front();
    return question;
}

void MixedDeck::startTest()
{
    for (QuestionDeck& deck : decks_)
        deck.startTest();
    for (std::deque<Question>& dealt : tableDealt_)
        dealt.clear();
}

DrawnQuestion MixedDeck::draw(RandomSource& rng)
{
    // One exercise draws nothing extra, so a single-exercise test is the
    // deck's own sequence.
    const std::size_t part = parts_.size() == 1 ? 0 : std::size_t(rng.draw(int(parts_.size()), 0));
    const Exercise& exercise = parts_[part];
    if (exercise.timesTable > 0)
        return {exercise.operation, drawFromTable(part, rng)};
    return {exercise.operation, decks_[part].draw(exercise.level, exercise.type, rng)};
}

void MixedDeck::noteAsked(const DrawnQuestion& question)
{
    for (std::size_t i = 0; i < parts_.size(); ++i)
        if (parts_[i].operation == question.operation) {
            decks_[i].noteAsked(question.question);
            return;
        }
}

void forEachTestQuestion(const TestRequest& request, const std::function<void(int, const DrawnQuestion&)>& visit)
{
    SeededRandom rng(request.seed);
    MixedDeck deck(request.parts, request.mode, deckSpan(request.count));
    for (int n = 1; n <= request.count; ++n)
        visit(n, deck.draw(rng));
}

std::vector<DrawnQuestion> drawTest(const TestRequest& request)
{
    std::vector<DrawnQuestion> questions;
    questions.reserve(std::size_t(std::max(0, request.count)));
    forEachTestQuestion(request, [&](int, const DrawnQuestion& q) { questions.push_back(q); });
    return questions;
}

} // namespace zorvel

// Dealing a test's questions: bounded redraws from the generator, then a walk
// of the level's questions from a random place for one the test may take.
#include "questions/question_deck.h"

#include "questions/question_space.h"

#include <algorithm>

namespace zorvel {

bool sameQuestion(const Question& a, const Question& b)
{
    if (a.operandCount != b.operandCount)
        return false;
    for (int i = 0; i < a.operandCount; ++i)
        if (a.operands[std::size_t(i)] != b.operands[std::size_t(i)])
            return false;
    return true;
}

QuestionDeck::QuestionDeck(Operation op, Mode mode, int span)
    : op_(op), mode_(mode), span_(std::size_t(std::max(1, span)))
{
}

void QuestionDeck::startTest() { dealt_.clear(); }

void QuestionDeck::noteAsked(const Question& question) { deal(question); }

std::size_t QuestionDeck::memoryAt(Level level) const
{
    const long long cap = 3 * static_cast<long long>(span_);
    const long long distinct = countQuestions(op_, level, cap);
    return std::size_t(std::clamp<long long>(distinct / 3, 1, static_cast<long long>(span_)));
}

bool QuestionDeck::remembered(const Question& question, std::size_t memory) const
{
    if (previous_ && sameQuestion(question, *previous_))
        return true;
    const std::size_t from = dealt_.size() - std::min(memory, dealt_.size());
    return std::any_of(dealt_.begin() + std::ptrdiff_t(from), dealt_.end(),
                       [&](const Question& q) { return sameQuestion(q, question); });
}

bool QuestionDeck::answerAllowed(const Question& question) const
{
    return mode_ != Mode::Listening || !previous_ || question.correctAnswer != previous_->correctAnswer;
}

Question QuestionDeck::draw(Level level, NumberType type, RandomSource& rng)
{
    const std::size_t memory = memoryAt(level);
    for (int i = 0; i < kTries; ++i) {
        Question question = generateQuestion(op_, level, type, rng);
        if (answerAllowed(question) && !remembered(question, memory))
            return deal(std::move(question));
    }
    return deal(walked(level, type, rng, memory));
}

// The generator keeps drawing questions the test has had (a level whose
// draws favour a few questions): the first acceptable question from a random
// first operand on. Where none is left, the newest question is the only one
// avoided, then only the listening answer rule holds.
Question QuestionDeck::walked(Level level, NumberType type, RandomSource& rng, std::size_t memory) const
{
    const long long start = rng.draw(1 << 30, 0);
    Question found;
    if (findQuestion(op_, level, type, start,
                     [&](const Question& q) { return answerAllowed(q) && !remembered(q, memory); }, found))
        return found;
    if (findQuestion(op_, level, type, start,
                     [&](const Question& q) { return answerAllowed(q) && !remembered(q, 0); }, found))
        return found;
    if (findQuestion(op_, level, type, start, [&](const Question& q) { return answerAllowed(q); }, found))
        return found;
    return generateQuestion(op_, level, type, rng);
}

Question QuestionDeck::deal(Question question)
{
    dealt_.push_back(question);
    if (dealt_.size() > span_)
        dealt_.pop_front();
    previous_ = question;
    return question;
}

} // namespace zorvel

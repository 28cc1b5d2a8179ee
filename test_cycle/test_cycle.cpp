// The rules of one test's cycle, free of any window.
#include "test_cycle/test_cycle.h"

namespace zorvel {

TestCycle::TestCycle(Operation operation, Mode mode, int length)
    : deck_(operation, mode, length), operation_(operation), mode_(mode), length_(length)
{
}

void TestCycle::setLength(int n)
{
    length_ = n;
    deck_ = QuestionDeck(operation_, mode_, n);
}

void TestCycle::advance()
{
    if (number_ == 0)
        backToStart(false);
    ++number_;
}

Question TestCycle::draw(Level level, NumberType type, RandomSource& random)
{
    if (number_ == 1)
        deck_.startTest();
    return queued_.next(deck_, level, type, random);
}

void TestCycle::show(const Question& question)
{
    correctAnswer_ = question.correctAnswer;
    log_.write(number_, question);
}

bool TestCycle::answer(bool right)
{
    if (!right && lastWrongNumber_ != number_) {
        lastWrongNumber_ = number_;
        wrongAtFirstTry_.push_back(log_.entry(number_));
    }
    if (right && number_ == length_)
        ended_ = true;
    return right && number_ == length_;
}

void TestCycle::backToStart(bool forgetAnswer)
{
    number_ = 0;
    wrongAtFirstTry_.clear();
    lastWrongNumber_ = 0;
    ended_ = false;
    if (forgetAnswer)
        correctAnswer_ = 0.0f;
}

void TestCycle::queue(const std::vector<records::QuestionShown>& questions, int operandCount)
{
    queued_.load(questions, operandCount);
}

} // namespace zorvel

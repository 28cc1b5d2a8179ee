// The queue of book questions in front of the generator.
#include "test_cycle/queued_questions.h"

#include <charconv>
#include <string>

namespace zorvel {

namespace {

float singlePrecisionOf(const std::string& text)
{
    float value = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

void QueuedQuestions::load(const std::vector<records::QuestionShown>& questions, int operandCount)
{
    queue_.clear();
    for (const records::QuestionShown& shown : questions) {
        Question question;
        question.operandCount = operandCount;
        for (int i = 0; i < operandCount; ++i)
            question.operands[static_cast<std::size_t>(i)] = shown.operands[static_cast<std::size_t>(i)].toStdString();
        question.correctAnswer = singlePrecisionOf(shown.correctAnswer.toStdString());
        queue_.push_back(question);
    }
}

Question QueuedQuestions::next(QuestionDeck& deck, Level level, NumberType type, RandomSource& random)
{
    if (queue_.empty())
        return deck.draw(level, type, random);
    Question question = queue_.front();
    queue_.pop_front();
    deck.noteAsked(question);
    return question;
}

} // namespace zorvel

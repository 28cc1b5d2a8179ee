// The questions a test shows before any is drawn: a "重练" test starts with
// the mistakes book's questions of its exercise, oldest first, and draws the
// rest as usual.
#pragma once

#include "questions/question_deck.h"
#include "questions/question.h"
#include "records/test_reports.h"

#include <deque>
#include <vector>

namespace zorvel {

class QueuedQuestions {
public:
    // The questions as the record keeps them; a correct answer is read from
    // its text to single precision, as the generators make it.
    void load(const std::vector<records::QuestionShown>& questions, int operandCount);
    void clear() { queue_.clear(); }
    // The first queued question, taken from the queue and noted in the deck;
    // else one the deck draws.
    Question next(QuestionDeck& deck, Level level, NumberType type, RandomSource& random);

private:
    std::deque<Question> queue_;
};

} // namespace zorvel

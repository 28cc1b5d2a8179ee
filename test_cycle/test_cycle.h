// One test of a drill window as plain state: question n of N, the question on
// screen and its right answer, the questions answered wrong at the first try,
// the deck that keeps a test free of repeats (with a "重练" test's book
// questions queued in front of it) and whether the test has ended. The
// windows drive it and paint what it holds.
#pragma once

#include "questions/question.h"
#include "questions/question_deck.h"
#include "test_cycle/queued_questions.h"

#include <vector>

namespace zorvel {

class TestCycle {
public:
    TestCycle(Operation operation, Mode mode, int length);

    // N: the questions of one test.
    int length() const { return length_; }
    // A test of n questions: none repeats within it where the level has
    // enough of them.
    void setLength(int n);
    // n: the question on screen, 0 before the first.
    int questionNumber() const { return number_; }
    // The listening playback counts through the questions shown.
    void setQuestionNumber(int n) { number_ = n; }
    float correctAnswer() const { return correctAnswer_; }
    const QuestionLog& log() const { return log_; }
    // The questions answered wrong at the first try, in the order asked.
    const std::vector<Question>& wrongAtFirstTry() const { return wrongAtFirstTry_; }
    bool ended() const { return ended_; }

    // The next question number; the first of a test starts a new one.
    void advance();
    // A question of the book queued in front, else one the deck draws.
    Question draw(Level level, NumberType type, RandomSource& random);
    // The question on screen under the current number.
    void show(const Question& question);
    // An answer to the question on screen; a wrong one is noted at the
    // question's first. True when it ends the test: a right answer to the
    // last question.
    bool answer(bool right);
    // The test ended otherwise (handed in, out of time, the last question out).
    void end() { ended_ = true; }
    // Back to the start of a test: number 0, nothing noted, not ended.
    // forgetAnswer also sets the right answer to 0 ("再测一次").
    void backToStart(bool forgetAnswer);

    // A "重练" test's questions, asked first.
    void queue(const std::vector<records::QuestionShown>& questions, int operandCount);
    void dropQueued() { queued_.clear(); }

private:
    QuestionDeck deck_;
    QueuedQuestions queued_;
    QuestionLog log_;
    std::vector<Question> wrongAtFirstTry_;
    Operation operation_;
    Mode mode_;
    int length_;
    int number_ = 0;
    int lastWrongNumber_ = 0;
    float correctAnswer_ = 0.0f;
    bool ended_ = false;
};

} // namespace zorvel

// The question log of one test: entries 1 to 20, rewritten on every redraw.
#include "questions/question.h"

namespace zorvel {

void QuestionLog::write(int n, const Question& q)
{
    if (n >= kFirst && n <= kLast)
        entries_[n] = q;
}

const Question& QuestionLog::entry(int n) const
{
    static const Question empty{};
    if (n >= kFirst && n <= kLast)
        return entries_[n];
    return empty;
}

} // namespace zorvel

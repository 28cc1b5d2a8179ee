// The questions of the class's 错题重练卷: each of the most common mistakes,
// followed by a similar question (the operands turned round, or one of them
// one more) so that the sheet practises the fact, not the one answer. Only
// whole-number questions get a similar one.
#pragma once

#include "class_record/class_tables.h"

#include <vector>

namespace zorvel::classroom {

struct RetryQuestion {
    QString operation;
    QStringList operands;
    QString answer;
};

// The first `count` mistakes (most pupils first) with their similar questions.
std::vector<RetryQuestion> retryQuestions(const std::vector<ClassMistake>& mistakes, int count);

} // namespace zorvel::classroom

// A listening test as it is heard: the sentences the window speaks ("第 3题47
// 加 8" for a question, "第3题 55" for an answer played back) and the whole
// test as one script of sentences, each followed by its silence, for writing
// the test to an audio file.
#pragma once

#include "listening_pace/reading_settings.h"
#include "questions/catalogue.h"
#include "questions/question.h"

#include <string>
#include <vector>

namespace zorvel {

// The pause between the last question's gap and the first answer, and after
// each answer.
inline constexpr int kBeforeAnswersMs = 2000;
inline constexpr int kAfterAnswerMs = 1500;
// The pause after the opening announcement and after "下面核对答案。".
inline constexpr int kAfterAnnouncementMs = 2000;

// "听算练习，共 20 题。现在开始。"
std::string openingAnnouncement(int questions);
inline constexpr const char* kAnswersAnnouncement = "下面核对答案。";

// "第" + number caption + "题" + the operands with the operation's words.
std::string spokenQuestion(const std::string& numberCaption, Operation op,
                           const std::array<std::string, 3>& operands);
// "第" + number caption + "题" + the answer text (" 55").
std::string spokenAnswer(const std::string& numberCaption, const std::string& answerText);

struct ScriptLine {
    std::string sentence;
    int silenceAfterMs = 0;
};

// The opening announcement, then each question as the window reads it
// (twice, kRepeatPauseMs apart, when asked), followed by the gap; with
// answers, after a short pause, "下面核对答案。" and every answer as
// "核对答案" reads it.
std::vector<ScriptLine> listeningTestScript(Operation op, const std::vector<Question>& questions,
                                            const ReadingSettings& settings, bool answers);

} // namespace zorvel

// The sentences of a listening test and its script for an audio file.
#include "listening_pace/listening_script.h"

#include "questions/number_text.h"

namespace zorvel {

std::string spokenQuestion(const std::string& numberCaption, Operation op,
                           const std::array<std::string, 3>& operands)
{
    const OperationInfo& info = operationInfo(op);
    std::string sentence = "第" + numberCaption + "题" + operands[0];
    for (int i = 1; i < info.operandCount; ++i)
        sentence += std::string(info.operatorWords[i - 1]) + operands[i];
    return sentence;
}

std::string spokenAnswer(const std::string& numberCaption, const std::string& answerText)
{
    return "第" + numberCaption + "题" + answerText;
}

std::string openingAnnouncement(int questions)
{
    return "听算练习，共 " + std::to_string(questions) + " 题。现在开始。";
}

std::vector<ScriptLine> listeningTestScript(Operation op, const std::vector<Question>& questions,
                                            const ReadingSettings& settings, bool answers)
{
    std::vector<ScriptLine> script;
    script.push_back({openingAnnouncement(int(questions.size())), kAfterAnnouncementMs});
    const int gapMs = settings.gapSeconds * 1000;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const std::string sentence =
            spokenQuestion(twoCharacterNumber(static_cast<int>(i + 1)), op, questions[i].operands);
        if (settings.twice)
            script.push_back({sentence, kRepeatPauseMs});
        script.push_back({sentence, gapMs});
    }
    if (!answers)
        return script;
    script.back().silenceAfterMs += kBeforeAnswersMs;
    script.push_back({kAnswersAnnouncement, kAfterAnnouncementMs});
    for (std::size_t i = 0; i < questions.size(); ++i)
        script.push_back({spokenAnswer(std::to_string(i + 1), withSignPosition(questions[i].correctAnswer)),
                          kAfterAnswerMs});
    return script;
}

} // namespace zorvel

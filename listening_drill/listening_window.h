// The listening-mode drill window (Form91 to Form95): twenty questions shown
// one per click and read aloud (or marked by the prompt sound), then played
// back with their answers by "核对答案" so that the pupil can mark the paper.
// For a class, "朗读设置" sets the voice's pace, reads each question twice,
// or lets the questions follow one another by themselves ("出 题" then
// pauses and resumes them); "再读一遍" reads the question again, and
// "导出音频…" writes a whole test to an audio file.
#pragma once

#include "listening_pace/reading_settings.h"
#include "normal_drill/drill_services.h"
#include "normal_drill/drill_window.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>

class QCheckBox;
class QPushButton;

namespace zorvel {

class ReadingMenu;
class ReadingPacer;

class ListeningDrillWindow : public DrillWindow {
    Q_OBJECT
public:
    ListeningDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent = nullptr);
    ~ListeningDrillWindow() override;

    // The sentence "第" + question-number caption + "题" + operands and
    // operator words, from the captions now on screen.
    QString spokenQuestion() const;
    const ReadingSettings& readingSettings() const { return settings_; }

    void done(int result) override;

protected:
    void askQuestion() override;
    // Plays back the answer after the one shown, counting on from the
    // question count (the twentieth is followed by the first).
    void checkAnswersClicked() override;
    void testAbandoned() override;

private:
    enum class Flow { ByHand, Running, Paused, PlayingBack };

    // "第", the question-number caption as shown, "题".
    QString numberedSentenceStart() const;
    void buildReadingControls();
    void playPromptIfTicked();
    void showSpeechNotice();
    void presentQuestion();
    bool readsAloud() const;
    // A question of the test read aloud stays off the screen with
    // 读题时不显示题目; the answers played back are shown.
    void updateVeil();
    // Hands the sentence to the voice when "语音播报" is ticked and tells
    // the pacer; a sentence not spoken ends at once.
    void read(const QString& sentence, bool twice);
    void readAgain();
    void goOn();
    void setFlow(Flow flow);
    void settingsChosen(const ReadingSettings& settings);
    void applySettings();
    void exportAudio();
    struct ExportedTest;
    void exportFinished(const ExportedTest& test, const QString& problem);

    std::unique_ptr<Voice> voice_;
    std::unique_ptr<PromptSound> promptSound_;
    QCheckBox* promptCheck_ = nullptr;
    QCheckBox* speechCheck_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* repeatButton_ = nullptr;
    ReadingMenu* menu_ = nullptr;
    ReadingPacer* pacer_ = nullptr;
    ReadingSettings settings_;
    Flow flow_ = Flow::ByHand;
    QString lastQuestion_;
    bool testQuestionShown_ = false;
    // Sentences of an abandoned test still to be heard.
    int staleEnds_ = 0;
};

// A new, loaded listening-mode window, or nullptr when formName is not one of
// Form91 to Form95. The caller shows it with exec().
std::unique_ptr<QDialog> createListeningDrillWindow(const QString& formName,
                                                    const DrillServices& services,
                                                    QWidget* parent = nullptr);

} // namespace zorvel

// The listening-mode drill window (Form91 to Form95): twenty questions shown
// one per click and read aloud (or marked by the prompt sound), then played
// back with their answers by "核对答案" so that the pupil can mark the paper.
#pragma once

#include "normal_drill/drill_services.h"
#include "normal_drill/drill_window.h"

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;

namespace zorvel {

class ListeningDrillWindow : public DrillWindow {
    Q_OBJECT
public:
    ListeningDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent = nullptr);

    // The sentence "第" + question-number caption + "题" + operands and
    // operator words, from the captions now on screen.
    QString spokenQuestion() const;

protected:
    void askQuestion() override;
    // Plays back the answer after the one shown, counting on from the
    // question count (the twentieth is followed by the first).
    void checkAnswersClicked() override;

private:
    // "第", the question-number caption as shown, "题".
    QString numberedSentenceStart() const;
    void playPromptIfTicked();
    void showSpeechNotice();

    std::unique_ptr<Voice> voice_;
    std::unique_ptr<PromptSound> promptSound_;
    QCheckBox* promptCheck_ = nullptr;
    QCheckBox* speechCheck_ = nullptr;
};

// A new, loaded listening-mode window, or nullptr when formName is not one of
// Form91 to Form95. The caller shows it with exec().
std::unique_ptr<QDialog> createListeningDrillWindow(const QString& formName,
                                                    const DrillServices& services,
                                                    QWidget* parent = nullptr);

} // namespace zorvel

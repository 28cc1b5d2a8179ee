// The 达标测试 window: the normal-mode window with its operands, answer box,
// keypad and keyboard under the same control names, running one timed test.
// "出 题" starts it; each answer is checked once ("√" or "×", and after a
// wrong one the right answer, for a moment) and the next question follows at
// once. "第 n / N 题" and the time left (or used, without a limit) are on
// show; "交卷" ends the test at any moment and the limit ends it by itself.
// The result stays in the window; the rest reminder waits until then.
#pragma once

#include "fluency/countdown.h"
#include "fluency/fluency_test.h"
#include "fluency/history.h"
#include "fluency/scoring.h"
#include "normal_drill/drill_window.h"
#include "questions/test_draw.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTimer;

namespace zorvel {

class FluencyDrillWindow : public DrillWindow {
    Q_OBJECT
public:
    FluencyDrillWindow(const FamilyRow& row, const DrillServices& services, const fluency::FluencyTest& test,
                       fluency::History* history, QWidget* parent = nullptr);

    const fluency::FluencyTest& test() const { return test_; }
    bool isRunning() const { return countdown_.isRunning(); }
    // The last test's score; valid once a test has ended.
    const fluency::Score& lastScore() const { return score_; }

signals:
    void testEnded();

protected:
    void askQuestion() override;
    Question nextQuestion() override;
    void startAgain() override;
    void stopwatchTicked(qint64 elapsedMs) override;
    bool answerReady(const QString& text) const override;
    // The record keeps a test under its first exercise's window: a question
    // of another operation would read there with the wrong sign.
    bool keepsShownQuestion() const override { return shownOperation_ == row().operation; }
    void markAnswer(bool right) override;

private:
    struct Missed {
        QString question;   // "7 + 8 - 3"
        QString right;      // "12"
        QString given;      // the pupil's answer; empty when none was given
    };

    void buildFluencyControls();
    void buildSideControls();   // clock caption, the test, "交卷", the result
    void buildTimers();
    // A label of this window, placed in twips with its designed font.
    QLabel* addLabel(const char* name, const QString& caption, const QFont& font, Qt::Alignment alignment,
                     const QRect& twips);
    void showTestCaption();
    void showProgress();
    // The next question, its number and "第 n / N 题".
    void showNextQuestion();
    void showClockAtRest();
    void endTest();
    void showResult(const std::optional<fluency::PersonalBest>& bestBefore);
    QString questionText() const;
    QString resultHtml(const std::optional<fluency::PersonalBest>& bestBefore) const;

    fluency::FluencyTest test_;
    MixedDeck deck_;                   // a test of several exercises, or of a times table
    Operation shownOperation_;         // the operation of the question on screen
    fluency::History* history_;
    fluency::Countdown countdown_;
    fluency::Score score_;
    int answered_ = 0;
    int correct_ = 0;
    std::vector<Missed> missed_;

    QLabel* progress_ = nullptr;       // "第 n / N 题"
    QLabel* clockCaption_ = nullptr;   // "剩余时间" / "用时"
    QLabel* feedback_ = nullptr;       // the right answer after a wrong one
    QLabel* testCaption_ = nullptr;    // the test and its pass line
    QPushButton* handIn_ = nullptr;    // "交卷"
    QTextBrowser* result_ = nullptr;
    QTimer* feedbackTimer_ = nullptr;
    QTimer* limitTimer_ = nullptr;     // ends the test on the limit, between ticks
};

// A loaded 达标测试 window for test; history may be null (no personal best).
std::unique_ptr<FluencyDrillWindow> createFluencyDrillWindow(const fluency::FluencyTest& test,
                                                             const DrillServices& services,
                                                             fluency::History* history, QWidget* parent = nullptr);

// The window rows of the 达标测试, one per operation, named "FormFluency1" to
// "FormFluency5": the normal rows of the operation under their own names,
// without the level and number-type frames (the test fixes its exercise).
const FamilyRow& fluencyRow(Operation operation);

} // namespace zorvel

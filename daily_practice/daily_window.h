// The daily practice window (今日练习, frmDaily): the normal-mode window's
// controls under their names, asking the session of the day that facts/
// chooses from the pupil's book. The heading counts "今日练习 第 n / 20 题"
// (one more for each missed fact that comes back, and the window says so);
// a right answer brings the next question at once, a wrong one (or none
// within 20 s) shows the right answer ("7 × 8 = 56") and waits for "出 题".
// Every answer goes to the fact store as it is given, and the session to the
// record as a test of the mode "practice". At the end the window
// shows what changed and the grid of the facts.
#pragma once

#include "facts/fact_store.h"
#include "normal_drill/drill_window.h"

#include <QDate>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

namespace zorvel {

namespace facts {
class SessionResult;
}

class DailyPracticeWindow : public DrillWindow {
    Q_OBJECT
public:
    DailyPracticeWindow(const FamilyRow& row, const DrillServices& services, facts::FactStore& store,
                        std::function<QDate()> today, QWidget* parent = nullptr);

    // "今天：20 题，其中新题 5", or "今天的练习已经完成"; then the missed
    // facts added ("7 × 8 稍后再练一次，今天共 21 题").
    QString planCaption() const;
    // The fact on screen, if a question is waiting for its answer.
    std::optional<facts::Fact> currentFact() const { return session_ ? session_->unanswered() : std::nullopt; }

protected:
    void askQuestion() override;
    Question nextQuestion() override;
    void markAnswer(bool right) override;
    void finishTest() override;
    void startAgain() override;
    void stopwatchTicked(qint64 elapsedMs) override;
    // 今日练习 under the sets practised ("mul,div"; level "乘法、除法").
    records::Exercise shownExercise() const override;

private:
    void beginSession();
    void showProgress();
    // Records the answer to the fact on screen; true when the fact comes
    // back later in the session.
    bool recordAnswer(const facts::Fact& fact, bool right, int ms);
    // "7 × 8 稍后再练一次，今天共 21 题" under the plan (why: "答得太慢，").
    void noteReturn(const facts::Fact& fact, const QString& why);
    // The mark of the answer just recorded and, after a wrong one or none,
    // the right answer under correctionLead; then the next step.
    void closeQuestion(bool right, const QString& correctionLead);
    void endOrWait();
    facts::Day today() const { return today_().toJulianDay(); }

    facts::FactStore& store_;
    std::function<QDate()> today_;
    std::unique_ptr<RandomSource> random_;  // the order of the session's questions
    facts::PracticePlan plan_;
    facts::FactBook before_;
    facts::FactBook book_;
    std::optional<facts::DailySession> session_;
    qint64 shownAtMs_ = 0;
    QLabel* planLabel_ = nullptr;
    QString planText_;  // the plan of the day as shown before the first question
    QLabel* correction_ = nullptr;
    facts::SessionResult* result_ = nullptr;
};

// A new, loaded daily practice window; the caller shows it with exec().
std::unique_ptr<QDialog> createDailyPracticeWindow(const DrillServices& services, facts::FactStore& store,
                                                   std::function<QDate()> today, QWidget* parent = nullptr);

} // namespace zorvel

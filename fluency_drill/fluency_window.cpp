// The 达标测试 window's question cycle, clock, hand-in and result.
#include "fluency_drill/fluency_window.h"

#include "common/window_texts.h"
#include "design_units/screen_units.h"
#include "normal_drill/answer_entry.h"
#include "normal_drill/stopwatch_display.h"
#include "normal_drill/stopwatch.h"
#include "questions/number_text.h"

#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

namespace zorvel {

namespace {

// How long the mark of the last answer, and the right answer after a wrong
// one, stay on show while the next question is already there.
constexpr int kFeedbackMs = 1500;

} // namespace

FluencyDrillWindow::FluencyDrillWindow(const FamilyRow& row, const DrillServices& services,
                                       const fluency::FluencyTest& test, fluency::History* history, QWidget* parent)
    : DrillWindow(row, services, parent), test_(test), deck_(test.parts(), Mode::Normal, deckSpan(test.questions)),
      shownOperation_(row.operation), history_(history),
      countdown_([clock = this->services().clock] { return clock->nowMs(); }, qint64(test.limitSeconds) * 1000)
{
    buildFluencyControls();
    // A test of additions and subtractions is not one window's.
    if (test_.mix.size() > 1)
        controls().heading->setText(QStringLiteral("达标测试：加减"));
    editCycle().setLength(test_.questions);
    loadCommon();
    chooseExercise(test_.level, test_.type);
    showClockAtRest();
    showProgress();
}

void FluencyDrillWindow::buildFluencyControls()
{
    progress_ = addLabel("lblProgress", QString(), designFont(FontFace::Heiti, 18, true), Qt::AlignCenter,
                         QRect(9600, 1440, 2700, 600));
    feedback_ = addLabel("lblFeedback", QString(), designFont(FontFace::Heiti, 18, true), Qt::AlignCenter,
                         QRect(9600, 2160, 2700, 2400));
    feedback_->setWordWrap(true);
    QPalette red = feedback_->palette();
    red.setColor(QPalette::WindowText, colorFromBgr(0x0000FF));
    feedback_->setPalette(red);

    // Up to 200 questions: the number is shown smaller than in a ten-question test.
    controls().layout.setFont(controls().number, designFont(FontFace::Heiti, 72, true));
    buildSideControls();
    buildTimers();
    showTestCaption();
}

QLabel* FluencyDrillWindow::addLabel(const char* name, const QString& caption, const QFont& font,
                                     Qt::Alignment alignment, const QRect& twips)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    controls().layout.setFont(label, font);
    controls().layout.place(label, twips);
    return label;
}

void FluencyDrillWindow::buildSideControls()
{
    clockCaption_ = addLabel("lblClock", test_.timed() ? QStringLiteral("剩余时间") : QStringLiteral("用时"),
                             designFont(FontFace::Songti, 12, true), Qt::AlignCenter, QRect(12180, 1440, 2000, 400));
    testCaption_ = addLabel("lblTest", QString(), designFont(FontFace::Songti, 12, true), Qt::AlignLeft | Qt::AlignTop,
                            QRect(120, 1440, 1800, 6200));
    testCaption_->setWordWrap(true);

    handIn_ = new QPushButton(QStringLiteral("交卷"), this);
    handIn_->setObjectName(QStringLiteral("cmdHandIn"));
    handIn_->setAutoDefault(false);
    controls().layout.setFont(handIn_, designFont(FontFace::Songti, 18, true));
    controls().layout.place(handIn_, QRect(240, 7920, 1455, 800));
    handIn_->setEnabled(false);
    connect(handIn_, &QPushButton::clicked, this, &FluencyDrillWindow::endTest);

    result_ = new QTextBrowser(this);
    result_->setObjectName(QStringLiteral("txtResult"));
    result_->setAccessibleName(QStringLiteral("测试结果"));
    controls().layout.setFont(result_, designFont(FontFace::Heiti, 14));
    controls().layout.place(result_, QRect(2040, 1200, 7485, 9300));
    result_->hide();
}

void FluencyDrillWindow::buildTimers()
{
    feedbackTimer_ = new QTimer(this);
    feedbackTimer_->setSingleShot(true);
    connect(feedbackTimer_, &QTimer::timeout, this, [this] {
        controls().mark->clear();
        feedback_->clear();
    });
    limitTimer_ = new QTimer(this);
    limitTimer_->setSingleShot(true);
    limitTimer_->setTimerType(Qt::PreciseTimer);
    connect(limitTimer_, &QTimer::timeout, this, [this] { stopwatchTicked(countdown_.elapsedMs()); });
}

void FluencyDrillWindow::showTestCaption()
{
    const std::optional<fluency::PersonalBest> best =
        history_ ? history_->personalBest(test_.choice()) : std::nullopt;
    // The name may break between its words ("60 题" is one), the rest only
    // after "，" or "：".
    QString name = test_.name;
    name.replace(QRegularExpression(QStringLiteral("(\\d) (\\S)")), QStringLiteral("\\1\u00a0\\2"));
    QStringList words = name.split(QLatin1Char(' '));
    for (QString& word : words)
        word = keptTogether(word);
    QString rest = QStringLiteral("%1\n\n%2").arg(test_.limitText(), test_.passLineText());
    if (best)
        rest += QStringLiteral("\n\n个人最好：%1 题，用时 %2").arg(best->correct).arg(fluency::minutesSeconds(best->elapsedMs));
    testCaption_->setText(words.join(QLatin1Char(' ')) + QStringLiteral("\n\n") + keptTogether(rest));
}

void FluencyDrillWindow::showClockAtRest()
{
    controls().stopwatch->show(test_.timed() ? qint64(test_.limitSeconds) * 1000 : 0);
}

void FluencyDrillWindow::showProgress()
{
    progress_->setText(QStringLiteral("第 %1 / %2 题").arg(cycle().questionNumber()).arg(test_.questions));
}

void FluencyDrillWindow::askQuestion()
{
    if (!countdown_.isStarted()) {
        countdown_.start();
        controls().stopwatch->startIfIdle();
        if (test_.timed())
            limitTimer_->start(int(countdown_.msUntilExpiry()));
        handIn_->setEnabled(true);
    }
    controls().openAnswerBox();
    showNextQuestion();
}

void FluencyDrillWindow::showNextQuestion()
{
    presentNextQuestion();
    controls().number->setText(QString::number(cycle().questionNumber()));
    showProgress();
}

bool FluencyDrillWindow::answerReady(const QString& text) const
{
    return countdown_.isRunning() && !text.isEmpty();
}

void FluencyDrillWindow::markAnswer(bool right)
{
    if (countdown_.expired()) {
        // The limit passed while the answer was typed: it comes too late.
        endTest();
        return;
    }
    ++answered_;
    feedback_->clear();
    if (right) {
        ++correct_;
    } else {
        const QString rightText = catalogueText(shortestText(cycle().correctAnswer()));
        missed_.push_back({questionText(), rightText, controls().entry->text()});
        feedback_->setText(keptTogether(QStringLiteral("%1 = %2").arg(questionText(), rightText)));
    }
    if (answered_ == test_.questions) {
        endTest();
    } else {
        showNextQuestion();
        feedbackTimer_->start(kFeedbackMs);
    }
    // Shown last: the end of the test and the next question both clear the mark.
    controls().showMark(right);
}

// A test of one exercise draws as every window does; one of several (or of a
// times table) from its own deck, each question showing its operation's sign.
Question FluencyDrillWindow::nextQuestion()
{
    if (test_.mix.empty())
        return DrillWindow::nextQuestion();
    if (cycle().questionNumber() == 1)
        deck_.startTest();
    const DrawnQuestion drawn = deck_.draw(random());
    shownOperation_ = drawn.operation;
    controls().operators[0]->setText(catalogueText(operationInfo(drawn.operation).operatorCaptions[0]));
    return drawn.question;
}

QString FluencyDrillWindow::questionText() const
{
    const OperationInfo& info = operationInfo(shownOperation_);
    QString question = controls().operandText(0).trimmed();
    for (int i = 1; i < row().operandCount(); ++i)
        question += QLatin1Char(' ') + catalogueText(info.operatorCaptions[static_cast<std::size_t>(i - 1)])
                    + QLatin1Char(' ') +
                    controls().operandText(i).trimmed();
    return mathText(question);
}

void FluencyDrillWindow::stopwatchTicked(qint64 /*elapsedMs*/)
{
    if (!countdown_.isRunning())
        return;
    if (countdown_.expired()) {
        endTest();
        return;
    }
    controls().stopwatch->show(countdown_.shownMs());
}

void FluencyDrillWindow::endTest()
{
    if (!countdown_.isRunning())
        return;
    countdown_.stop();
    limitTimer_->stop();
    feedbackTimer_->stop();
    feedback_->clear();
    controls().mark->clear();
    controls().stopwatch->stop();
    controls().stopwatch->show(countdown_.shownMs());
    controls().disableKeypad();
    handIn_->setEnabled(false);
    // The question on screen when the time ran out or the test was handed in.
    if (answered_ < cycle().questionNumber())
        missed_.push_back({questionText(), catalogueText(shortestText(cycle().correctAnswer())), QString()});
    score_ = fluency::score(test_, {answered_, correct_, countdown_.elapsedMs()});
    std::optional<fluency::PersonalBest> before;
    if (history_)
        before = history_->personalBest(test_.choice());
    // The result's time is the test's own; the stopwatch column of the
    // record stays for the ten-question tests it times.
    recording().fluencyResult({test_.choice(), test_.limitSeconds, test_.questions, score_.correct, score_.elapsedMs,
                         score_.passed});
    endTestFinished(QString());
    if (history_) {
        const auto after = fluency::bestAfter(before, score_, services().timeOfDay());
        if (after && (!before || after->when != before->when))
            history_->keepPersonalBest(test_.choice(), *after);
    }
    showResult(before);
    emit testEnded();
    if (score_.elapsedMs >= kRestReminderMs)
        remindRest();
}

void FluencyDrillWindow::showResult(const std::optional<fluency::PersonalBest>& bestBefore)
{
    result_->setHtml(resultHtml(bestBefore));
    result_->show();
    result_->raise();
}

QString FluencyDrillWindow::resultHtml(const std::optional<fluency::PersonalBest>& bestBefore) const
{
    const fluency::Score& s = score_;
    QString html = QStringLiteral("<p style='font-size:x-large'><b>%1</b>　正确 %2 / %3</p>")
                       .arg(s.passed ? QStringLiteral("<span style='color:#008000'>达标</span>")
                                     : QStringLiteral("<span style='color:#c00000'>未达标</span>"))
                       .arg(s.correct)
                       .arg(s.total);
    html += QStringLiteral("<p>正确率 %1　用时 %2　每分钟正确 %3</p>")
                .arg(s.percentText(), s.timeText(), s.perMinuteText());
    if (s.answered < s.total)
        html += QStringLiteral("<p>未答 %1 题（算作不正确）</p>").arg(s.total - s.answered);
    html += QStringLiteral("<p>%1</p>").arg(test_.passLineText().toHtmlEscaped());
    const auto best = fluency::bestAfter(bestBefore, s, QDateTime());
    if (best && bestBefore && best->when == bestBefore->when)
        html += QStringLiteral("<p>个人最好：%1 题，用时 %2</p>").arg(best->correct).arg(fluency::minutesSeconds(best->elapsedMs));
    else if (best)
        html += QStringLiteral("<p><b>新的个人最好！</b>%1 题，用时 %2</p>").arg(best->correct).arg(fluency::minutesSeconds(best->elapsedMs));
    else
        html += QStringLiteral("<p>个人最好：还没有（达标的测试才算）</p>");
    QStringList wrong;
    for (const Missed& missed : missed_) {
        if (!missed.given.isEmpty())
            wrong << QStringLiteral("%1 = %2（你的答案：%3）").arg(missed.question, missed.right, missed.given).toHtmlEscaped();
    }
    if (!wrong.isEmpty())
        html += QStringLiteral("<p>做错的题：<br>%1</p>").arg(wrong.join(QStringLiteral("<br>")));
    return html;
}

void FluencyDrillWindow::startAgain()
{
    DrillWindow::startAgain();
    countdown_.reset();
    limitTimer_->stop();
    feedbackTimer_->stop();
    feedback_->clear();
    answered_ = correct_ = 0;
    missed_.clear();
    result_->hide();
    handIn_->setEnabled(false);
    showClockAtRest();
    showProgress();
}

const FamilyRow& fluencyRow(Operation operation)
{
    static const std::vector<FamilyRow> rows = [] {
        std::vector<FamilyRow> made;
        for (Operation op : kAllOperations) {
            FamilyRow row = *familyRow(catalogueText(operationInfo(op).normalWindow));
            row.formName = QStringLiteral("FormFluency%1").arg(int(op) + 1);
            row.heading = QStringLiteral("达标测试：%1").arg(catalogueText(operationInfo(op).name));
            row.recordedMode = QStringLiteral("fluency");
            row.choosesExercise = false;
            made.push_back(row);
        }
        return made;
    }();
    return rows[static_cast<std::size_t>(operation)];
}

std::unique_ptr<FluencyDrillWindow> createFluencyDrillWindow(const fluency::FluencyTest& test,
                                                             const DrillServices& services,
                                                             fluency::History* history, QWidget* parent)
{
    return std::make_unique<FluencyDrillWindow>(fluencyRow(test.operation), services, test, history, parent);
}

} // namespace zorvel

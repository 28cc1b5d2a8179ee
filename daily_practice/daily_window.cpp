// The question cycle of the daily practice over the drill-window base.
#include "daily_practice/daily_window.h"

#include "daily_practice/session_result.h"
#include "fact_grid/fact_texts.h"
#include "design_units/screen_units.h"
#include "normal_drill/answer_entry.h"
#include "normal_drill/stopwatch_display.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>

namespace zorvel {

using facts::Fact;

namespace {

QLabel* sideLabel(QWidget* parent, const char* name, const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

DailyPracticeWindow::DailyPracticeWindow(const FamilyRow& row, const DrillServices& services,
                                         facts::FactStore& store, std::function<QDate()> today, QWidget* parent)
    : DrillWindow(row, services, parent), store_(store), today_(std::move(today)), random_(services.randomSource())
{
    controls().layout.setFont(controls().heading, designFont(FontFace::Heiti, 28, true));

    // The left column, free of level choices: the plan of the day, and the
    // right answer after a wrong one.
    planLabel_ = sideLabel(this, "lblPlan", colorFromBgr(0xC00000));
    controls().layout.setFont(planLabel_, designFont(FontFace::Heiti, 12, true));
    controls().layout.place(planLabel_, QRect(120, 1440, 1700, 2700));
    correction_ = sideLabel(this, "lblCorrection", colorFromBgr(0x0000FF));
    controls().layout.setFont(correction_, designFont(FontFace::Heiti, 16, true));
    controls().layout.place(correction_, QRect(120, 4200, 1700, 3000));

    result_ = new facts::SessionResult(this);
    controls().layout.setFont(result_, designFont(FontFace::Heiti, 11));
    controls().layout.place(result_, QRect(1920, 1200, 7605, 9600));
    result_->hide();

    loadCommon();
    beginSession();
}

QString DailyPracticeWindow::planCaption() const
{
    return planLabel_->text().remove(QLatin1Char('\n')).remove(QChar(0x2060)).replace(QChar::Nbsp, QLatin1Char(' '));
}

void DailyPracticeWindow::beginSession()
{
    plan_ = store_.plan();
    book_ = store_.book();
    before_ = book_;
    correction_->clear();
    result_->hide();
    controls().heading->setText(row().heading);
    const std::string unread = store_.unreadReason();
    if (!unread.empty()) {
        session_.reset();
        planLabel_->setText(QString::fromStdString(unread) + QStringLiteral("\n今日练习要等记录能完整读出后才能开始。"));
        controls().ask->setEnabled(false);
        return;
    }
    session_.emplace(book_, plan_, today(), [this](int n) { return random_->draw(n, 0); });
    // "今天：20 题，" over "其中新题 5" in the narrow column.
    planText_ = facts::planText(*session_).replace(QStringLiteral("，"), QStringLiteral("，\n"));
    planLabel_->setText(keptTogether(planText_));
    if (session_->nothingToDo())
        controls().ask->setEnabled(false);
}

void DailyPracticeWindow::showProgress()
{
    controls().heading->setText(QStringLiteral("今日练习 第 %1 / %2 题").arg(session_->asked()).arg(session_->length()));
}

void DailyPracticeWindow::askQuestion()
{
    if (!session_ || session_->asked() >= session_->length())
        return;
    correction_->clear();
    controls().stopwatch->startIfIdle();
    controls().openAnswerBox();
    presentNextQuestion();
}

Question DailyPracticeWindow::nextQuestion()
{
    const std::optional<Fact> fact = session_->next();
    Question question;
    if (!fact)
        return question;
    question.operands = {std::to_string(fact->first()), std::to_string(fact->second()), std::string()};
    question.correctAnswer = static_cast<float>(fact->answer());
    controls().operators[0]->setText(catalogueText(facts::setSign(fact->set)));
    shownAtMs_ = services().clock->nowMs();
    showProgress();
    return question;
}

bool DailyPracticeWindow::recordAnswer(const Fact& fact, bool right, int ms)
{
    const facts::FactAnswer answer{fact.index(), right, ms, today(), plan_.speed};
    store_.recordAnswer(answer);
    return session_->answered(fact, book_.apply(answer).box);
}

void DailyPracticeWindow::noteReturn(const Fact& fact, const QString& why)
{
    // Under the plan of the day, which it changes.
    planLabel_->setText(planText_ + QStringLiteral("\n\n%1 %2稍后再练一次，今天共 %3 题")
                                        .arg(catalogueText(fact.text()), why)
                                        .arg(session_->length()));
}

records::Exercise DailyPracticeWindow::shownExercise() const
{
    QStringList keys, names;
    for (facts::FactSet set : plan_.sets) {
        keys << catalogueText(facts::setKey(set));
        names << catalogueText(facts::setName(set));
    }
    const QString sets = keys.join(QLatin1Char(','));
    return {row().formName, sets, row().recordedMode, sets, names.join(QStringLiteral("、")),
            QStringLiteral("integer")};
}

void DailyPracticeWindow::markAnswer(bool right)
{
    const std::optional<Fact> fact = currentFact();
    if (!fact)
        return;
    const qint64 ms = services().clock->nowMs() - shownAtMs_;
    const bool comesBack = recordAnswer(*fact, right, static_cast<int>(std::min<qint64>(ms, facts::kTimeoutMs + 1)));
    controls().disableKeypad();
    if (right && session_->asked() < session_->length()) {
        // Right but too slow: back to box 1, and once more today.
        if (comesBack)
            noteReturn(*fact, QStringLiteral("答得太慢，"));
        askQuestion();
        return;
    }
    if (comesBack)
        noteReturn(*fact, QString());
    closeQuestion(right, QStringLiteral("正确答案"));
}

void DailyPracticeWindow::closeQuestion(bool right, const QString& correctionLead)
{
    controls().showMark(right);
    if (!right) {
        // As after a wrong answer: the box closed, "出 题" (or the end) next.
        controls().closeAnswerBox();
        const Fact missed = session_->askedFacts().back();
        correction_->setText(correctionLead + QLatin1Char('\n')
                             + keptTogether(facts::writtenFact(missed.withAnswer())));
    }
    endOrWait();
}

void DailyPracticeWindow::endOrWait()
{
    if (session_->asked() >= session_->length()) {
        finishTest();
        return;
    }
    // A missed fact comes back later in the session, one question more: the
    // counter shows the longer session at once, not only with the next question.
    showProgress();
    controls().openAskButton();
}

void DailyPracticeWindow::stopwatchTicked(qint64 elapsedMs)
{
    DrillWindow::stopwatchTicked(elapsedMs);
    const std::optional<Fact> fact = currentFact();
    if (!fact || services().clock->nowMs() - shownAtMs_ < facts::kTimeoutMs)
        return;
    recording().answer(QString(), false);
    if (recordAnswer(*fact, false, facts::kTimeoutMs))
        noteReturn(*fact, QString());
    controls().disableKeypad();
    closeQuestion(false, QStringLiteral("时间到"));
}

void DailyPracticeWindow::finishTest()
{
    DrillWindow::finishTest();
    const facts::FactBook after = store_.book();
    result_->showResult(facts::sessionChanges(before_, after, session_->askedFacts()), after, plan_.sets, today());
    result_->show();
    result_->raise();
    controls().heading->setText(QStringLiteral("今日练习 完成 %1 题").arg(session_->asked()));
    if (store_.busy())
        planLabel_->setText(planText_ + QStringLiteral("\n\n学习记录文件正被另一个程序占用，这次的答案还没写入；"
                                                       "右边的结果和下次的计划暂按写入前的记录算，"
                                                       "文件空出后答案自动写入，计划也会跟上。"));
}

void DailyPracticeWindow::startAgain()
{
    DrillWindow::startAgain();
    beginSession();
}

std::unique_ptr<QDialog> createDailyPracticeWindow(const DrillServices& services, facts::FactStore& store,
                                                   std::function<QDate()> today, QWidget* parent)
{
    const FamilyRow* row = practiceRow(QStringLiteral("frmDaily"));
    return std::make_unique<DailyPracticeWindow>(*row, services, store, std::move(today), parent);
}

} // namespace zorvel

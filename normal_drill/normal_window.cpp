// The normal-mode question cycle, the praise picture and the rest reminder.
#include "normal_drill/normal_window.h"

#include "normal_drill/stopwatch.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace zorvel {

NormalDrillWindow::NormalDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : DrillWindow(row, services, parent)
{
    QCheckBox* stopwatchSwitch = makeSwitch(QStringLiteral("Check1"), QStringLiteral("秒表开关"), row.side->stopwatchSwitch);
    connect(stopwatchSwitch, &QCheckBox::toggled, this, [this](bool ticked) { setStopwatchVisible(!ticked); });

    praisePicture_ = new QLabel(this);
    praisePicture_->setObjectName(QStringLiteral("Picture1"));
    placeInTwips(praisePicture_, QRect(9840, 1920, 2295, 2295));
    praisePicture_->setAlignment(Qt::AlignCenter);
    showPraisePictureAtScale();

    result_ = std::make_unique<TestResult>(this, twipsLayout());

    loadCommon();
    praisePicture_->hide();
}

void NormalDrillWindow::resizeEvent(QResizeEvent* event)
{
    DrillWindow::resizeEvent(event);
    if (praisePicture_)
        showPraisePictureAtScale();
    if (result_)
        result_->fit();
}

void NormalDrillWindow::showPraisePictureAtScale()
{
    QPixmap picture(QStringLiteral(":/images/praise.png"));
    if (scale() != 1.0)
        picture = picture.scaled(picture.size() * scale(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    praisePicture_->setPixmap(picture);
}

void NormalDrillWindow::askQuestion()
{
    if (questionNumber() == 0) {
        result_->hide();
        wrongAtFirstTry_.clear();
        lastWrongNumber_ = 0;
    }
    startStopwatchIfIdle();
    openAnswerBox();
    presentNextQuestion();
}

void NormalDrillWindow::finishTest()
{
    DrillWindow::finishTest();
    praisePicture_->show();
    result_->show(row().operation, wrongAtFirstTry_);
}

void NormalDrillWindow::markAnswer(bool right)
{
    // A question is noted at its first wrong answer only.
    if (!right && lastWrongNumber_ != questionNumber()) {
        lastWrongNumber_ = questionNumber();
        wrongAtFirstTry_.push_back(questionLog().entry(questionNumber()));
    }
    DrillWindow::markAnswer(right);
}

void NormalDrillWindow::startAgain()
{
    DrillWindow::startAgain();
    praisePicture_->hide();
    result_->hide();
}

void NormalDrillWindow::stopwatchTicked(qint64 elapsedMs)
{
    if (elapsedMs >= kRestReminderMs) {
        giveRestReminder();
        return;
    }
    DrillWindow::stopwatchTicked(elapsedMs);
}

void NormalDrillWindow::giveRestReminder()
{
    QWidget* focused = focusWidget();
    stopStopwatch();
    if (services().showMessage)
        services().showMessage(this, QStringLiteral("超时提醒"),
                               QStringLiteral("您本次训练时间已达到10分钟了,请休息一会儿吧!"));
    breakOffTest(focused);
}

std::unique_ptr<QDialog> createNormalDrillWindow(const QString& formName, const DrillServices& services,
                                                 QWidget* parent)
{
    return createDrillWindowOfMode<NormalDrillWindow>(Mode::Normal, formName, services, parent);
}

} // namespace zorvel

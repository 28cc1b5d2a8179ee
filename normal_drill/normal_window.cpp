// The normal-mode question cycle, the praise picture and the rest reminder.
#include "normal_drill/normal_window.h"

#include "normal_drill/stopwatch.h"
#include "normal_drill/stopwatch_display.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>

namespace zorvel {

NormalDrillWindow::NormalDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : DrillWindow(row, services, parent)
{
    QCheckBox* stopwatchSwitch = makeSwitch(this, controls().layout, QStringLiteral("Check1"),
                                            QStringLiteral("秒表开关"), row.side->stopwatchSwitch);
    connect(stopwatchSwitch, &QCheckBox::toggled, this,
            [this](bool ticked) { controls().stopwatch->setVisible(!ticked); });

    praisePicture_ = new QLabel(this);
    praisePicture_->setObjectName(QStringLiteral("Picture1"));
    controls().layout.place(praisePicture_, QRect(9840, 1920, 2295, 2295));
    praisePicture_->setAlignment(Qt::AlignCenter);
    showPraisePictureAtScale();

    result_ = std::make_unique<TestResult>(this, controls().layout);

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
    if (controls().layout.scale() != 1.0)
        picture = picture.scaled(picture.size() * controls().layout.scale(), Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    praisePicture_->setPixmap(picture);
}

void NormalDrillWindow::askQuestion()
{
    if (cycle().questionNumber() == 0)
        result_->hide();
    controls().stopwatch->startIfIdle();
    controls().openAnswerBox();
    presentNextQuestion();
}

void NormalDrillWindow::finishTest()
{
    DrillWindow::finishTest();
    praisePicture_->show();
    result_->show(row().operation, cycle().wrongAtFirstTry());
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
    controls().stopwatch->stop();
    remindRest();
    breakOffTest(focused);
}

std::unique_ptr<QDialog> createNormalDrillWindow(const QString& formName, const DrillServices& services,
                                                 QWidget* parent)
{
    return createDrillWindowOfMode<NormalDrillWindow>(Mode::Normal, formName, services, parent);
}

} // namespace zorvel

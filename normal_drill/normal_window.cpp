// The normal-mode question cycle, the praise picture and the rest reminder.
#include "normal_drill/normal_window.h"

#include "normal_drill/answer_box.h"
#include "normal_drill/screen_units.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace zorvel {

NormalDrillWindow::NormalDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent)
    : DrillWindow(row, services, parent)
{
    QCheckBox* stopwatchSwitch = makeSwitch(QStringLiteral("Check1"), QStringLiteral("秒表开关"), row.side->stopwatchSwitch);
    connect(stopwatchSwitch, &QCheckBox::toggled, this, [this](bool ticked) {
        for (QLabel* label : stopwatchLabels_)
            label->setVisible(!ticked);
    });

    praisePicture_ = new QLabel(this);
    praisePicture_->setObjectName(QStringLiteral("Picture1"));
    layout_.place(praisePicture_, QRect(9840, 1920, 2295, 2295));
    praisePicture_->setAlignment(Qt::AlignCenter);
    showPraisePictureAtScale();

    loadCommon();
    praisePicture_->hide();
}

void NormalDrillWindow::resizeEvent(QResizeEvent* event)
{
    DrillWindow::resizeEvent(event);
    if (praisePicture_)
        showPraisePictureAtScale();
}

void NormalDrillWindow::showPraisePictureAtScale()
{
    QPixmap picture(QStringLiteral(":/images/praise.png"));
    const qreal scale = layout_.scale();
    if (scale != 1.0)
        picture = picture.scaled(picture.size() * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    praisePicture_->setPixmap(picture);
}

void NormalDrillWindow::askQuestion()
{
    startStopwatchIfIdle();
    answerBox_->setEnabled(true);
    askButton_->setEnabled(false);
    ++questionNumber_;
    numberLabel_->setText(twoCharacterNumber(questionNumber_));
    answerBox_->clear();
    markLabel_->clear();
    setCancelConfirmEnabled(false);
    makeQuestion();
    EnableDigitKeys();
    answerBox_->setFocus();
    if (row_.plainQuestionNumber)
        numberLabel_->setText(QString::number(questionNumber_));
}

void NormalDrillWindow::finishTest()
{
    DrillWindow::finishTest();
    praisePicture_->show();
}

void NormalDrillWindow::restartTest()
{
    DrillWindow::restartTest();
    praisePicture_->hide();
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
    if (services_.showMessage)
        services_.showMessage(this, QStringLiteral("超时提醒"),
                              QStringLiteral("您本次训练时间已达到10分钟了,请休息一会儿吧!"));
    setOperandTexts({});
    answerBox_->clear();
    questionNumber_ = 0;
    zeroStopwatch();
    numberLabel_->setText(QStringLiteral("0"));
    DisableKeypad();
    askButton_->setEnabled(true);
    refocusAfterDisabling(focused, askButton_);
}

std::unique_ptr<QDialog> createNormalDrillWindow(const QString& formName, const DrillServices& services,
                                                 QWidget* parent)
{
    return createDrillWindowOfMode<NormalDrillWindow>(Mode::Normal, formName, services, parent);
}

} // namespace zorvel

// The listening-mode test flow: questions presented without waiting for an
// answer, spoken or marked by the prompt sound, and the answer playback.
#include "listening_drill/listening_window.h"

#include "normal_drill/screen_units.h"
#include "questions/number_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zorvel {

namespace {

void showSpeechNotice(QWidget* window)
{
    auto* notice = new QLabel(QStringLiteral("未检测到语音引擎，题目不会朗读"), window);
    notice->setObjectName(QStringLiteral("SpeechNotice"));
    notice->setFont(designFont(FontFace::Songti, 12, true));
    notice->setGeometry(twipsRect(QRect(2040, 10530, 7485, 390)));
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(0x000080));
    notice->setPalette(palette);
    notice->show();
}

} // namespace

ListeningDrillWindow::ListeningDrillWindow(const FamilyRow& row, const DrillServices& services,
                                           QWidget* parent)
    : DrillWindow(row, services, parent)
{
    promptCheck_ = makeSwitch(QStringLiteral("Check1"), QStringLiteral("提 示 音"), row.side->stopwatchSwitch);
    speechCheck_ = makeSwitch(QStringLiteral("Check2"), QStringLiteral("语音播报"), row.side->speechSwitch);
    // The two switches exclude each other; unticking either changes nothing else.
    connect(promptCheck_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            speechCheck_->setChecked(false);
    });
    connect(speechCheck_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            promptCheck_->setChecked(false);
    });
    connect(checkAnswersButton_, &QPushButton::clicked, this, [this] { playBackAnswer(); });

    voice_ = services_.voice ? services_.voice() : nullptr;
    promptSound_ = services_.promptSound ? services_.promptSound() : nullptr;
    // The voice finds out on its own threads whether it can speak; the notice
    // appears once it is known that it cannot.
    if (!voice_ || !voice_->isAvailable()) {
        showSpeechNotice(this);
    } else {
        connect(voice_.get(), &Voice::availabilityKnown, this, [this](bool available) {
            if (!available)
                showSpeechNotice(this);
        });
    }

    loadCommon();
    promptCheck_->setChecked(false);
    speechCheck_->setChecked(true);
    for (QLabel* label : stopwatchLabels_)
        label->hide();
}

QString ListeningDrillWindow::numberedSentenceStart() const
{
    return QStringLiteral("第") + numberLabel_->text() + QStringLiteral("题");
}

QString ListeningDrillWindow::spokenQuestion() const
{
    const OperationInfo& info = operationInfo(row_.operation);
    QString sentence = numberedSentenceStart() + operandLabels_[0]->text();
    for (size_t i = 1; i < operandLabels_.size(); ++i) {
        sentence += catalogueText(info.operatorWords[i - 1]) + operandLabels_[i]->text();
    }
    return sentence;
}

void ListeningDrillWindow::playPromptIfTicked()
{
    if (promptCheck_->isChecked() && promptSound_)
        promptSound_->play();
}

void ListeningDrillWindow::askQuestion()
{
    playPromptIfTicked();
    startStopwatchIfIdle();
    ++questionNumber_;
    numberLabel_->setText(twoCharacterNumber(questionNumber_));
    answerBox_->clear();
    markLabel_->clear();
    keypad_->digit(0)->setEnabled(false);
    setCancelConfirmEnabled(false);
    makeQuestion();
    EnableDigitKeys();
    answerBox_->setFocus();
    if (questionNumber_ == row_.questionsPerTest()) {
        restartButton_->setEnabled(true);
        questionNumber_ = 0;
        askButton_->setEnabled(false);
        checkAnswersButton_->setEnabled(true);
        stopStopwatch();
    }
    if (speechCheck_->isChecked() && voice_)
        voice_->speak(spokenQuestion());
}

void ListeningDrillWindow::playBackAnswer()
{
    if (++questionNumber_ > row_.questionsPerTest())
        questionNumber_ = 1;
    numberLabel_->setText(QString::number(questionNumber_));
    const Question& logged = log_.entry(questionNumber_);
    showOperands(logged);
    answerBox_->setText(QString::fromStdString(withSignPosition(logged.correctAnswer)));
    playPromptIfTicked();
    if (speechCheck_->isChecked() && voice_)
        voice_->speak(numberedSentenceStart() + answerBox_->text());
    markLabel_->clear();
}

std::unique_ptr<QDialog> createListeningDrillWindow(const QString& formName, const DrillServices& services,
                                                    QWidget* parent)
{
    return createDrillWindowOfMode<ListeningDrillWindow>(Mode::Listening, formName, services, parent);
}

} // namespace zorvel

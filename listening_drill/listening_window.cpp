// The listening-mode test flow: questions presented without waiting for an
// answer, spoken or marked by the prompt sound, and the answer playback.
#include "listening_drill/listening_window.h"

#include "design_units/screen_units.h"
#include "questions/number_text.h"

#include <QCheckBox>
#include <QLabel>

namespace zorvel {

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

    voice_ = services.voice ? services.voice() : nullptr;
    promptSound_ = services.promptSound ? services.promptSound() : nullptr;
    // The voice finds out on its own threads whether it can speak; the notice
    // appears once it is known that it cannot.
    if (!voice_ || !voice_->isAvailable()) {
        showSpeechNotice();
    } else {
        connect(voice_.get(), &Voice::availabilityKnown, this, [this](bool available) {
            if (!available)
                showSpeechNotice();
        });
    }

    loadCommon();
    promptCheck_->setChecked(false);
    speechCheck_->setChecked(true);
    setStopwatchVisible(false);
}

void ListeningDrillWindow::showSpeechNotice()
{
    const bool noOutput = voice_ && voice_->silence() == Silence::NoSoundOutput;
    auto* notice = new QLabel(noOutput ? QStringLiteral("没有找到声音输出，题目不会朗读")
                                       : QStringLiteral("未安装中文语音，题目不会朗读"),
                              this);
    notice->setObjectName(QStringLiteral("SpeechNotice"));
    setDesignFont(notice, designFont(FontFace::Songti, 12, true));
    placeInTwips(notice, QRect(2040, 10530, 7485, 390));
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(0x000080));
    notice->setPalette(palette);
    notice->show();
}

QString ListeningDrillWindow::numberedSentenceStart() const
{
    return QStringLiteral("第") + questionNumberCaption() + QStringLiteral("题");
}

QString ListeningDrillWindow::spokenQuestion() const
{
    const OperationInfo& info = operationInfo(row().operation);
    QString sentence = numberedSentenceStart() + operandText(0);
    for (int i = 1; i < row().operandCount(); ++i)
        sentence += catalogueText(info.operatorWords[i - 1]) + operandText(i);
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
    // While the answers are being checked, the count stands at the answer
    // last played back: a new question takes the number after it.
    presentNextQuestion();
    if (questionNumber() == row().questionsPerTest())
        offerAnswerCheck();
    if (speechCheck_->isChecked() && voice_)
        voice_->speak(spokenQuestion());
}

void ListeningDrillWindow::checkAnswersClicked()
{
    setQuestionNumber(questionNumber() % row().questionsPerTest() + 1);
    showQuestionNumberCaption(QString::number(questionNumber()));
    const Question& logged = questionLog().entry(questionNumber());
    showOperands(logged);
    const QString answer = QString::fromStdString(withSignPosition(logged.correctAnswer));
    showAnswer(answer);
    playPromptIfTicked();
    if (speechCheck_->isChecked() && voice_)
        voice_->speak(numberedSentenceStart() + answer);
    clearMark();
}

std::unique_ptr<QDialog> createListeningDrillWindow(const QString& formName, const DrillServices& services,
                                                    QWidget* parent)
{
    return createDrillWindowOfMode<ListeningDrillWindow>(Mode::Listening, formName, services, parent);
}

} // namespace zorvel

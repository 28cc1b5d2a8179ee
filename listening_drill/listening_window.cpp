// The listening-mode test flow: questions presented without waiting for an
// answer, spoken or marked by the prompt sound, and the answer playback;
// with 自动出题 the pacer presents the next question, or plays the next
// answer, the chosen interval after the last reading was heard.
#include "listening_drill/listening_window.h"

#include "listening_drill/reading_menu.h"
#include "listening_drill/reading_pacer.h"
#include "listening_pace/listening_script.h"
#include "design_units/screen_units.h"
#include "normal_drill/answer_entry.h"
#include "normal_drill/stopwatch_display.h"
#include "questions/number_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace zorvel {

ListeningDrillWindow::ListeningDrillWindow(const FamilyRow& row, const DrillServices& services,
                                           QWidget* parent)
    : DrillWindow(row, services, parent)
{
    promptCheck_ = makeSwitch(this, controls().layout, QStringLiteral("Check1"), QStringLiteral("提 示 音"),
                              row.side->stopwatchSwitch);
    speechCheck_ = makeSwitch(this, controls().layout, QStringLiteral("Check2"), QStringLiteral("语音播报"),
                              row.side->speechSwitch);
    // The two switches exclude each other; unticking either changes nothing else.
    connect(promptCheck_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            speechCheck_->setChecked(false);
    });
    connect(speechCheck_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (ticked)
            promptCheck_->setChecked(false);
        updateVeil();
    });

    pacer_ = new ReadingPacer(this->services().clock, this);
    connect(pacer_, &ReadingPacer::readAgainDue, this, &ListeningDrillWindow::readAgain);
    connect(pacer_, &ReadingPacer::nextDue, this, &ListeningDrillWindow::goOn);
    buildReadingControls();

    voice_ = services.voice ? services.voice() : nullptr;
    promptSound_ = services.promptSound ? services.promptSound() : nullptr;
    // The voice finds out on its own threads whether it can speak; the notice
    // appears once it is known that it cannot.
    if (!voice_ || !voice_->isAvailable()) {
        showSpeechNotice();
    } else {
        connect(voice_.get(), &Voice::availabilityKnown, this, [this](bool available) {
            if (available)
                return;
            showSpeechNotice();
            updateVeil();
            // Nothing more will be heard: the readings waited for are over.
            while (pacer_->readingsOutstanding() > 0)
                pacer_->readingEnded();
        });
        connect(voice_.get(), &Voice::speechEnded, this, [this] {
            if (staleEnds_ > 0)
                --staleEnds_;
            else
                pacer_->readingEnded();
        });
    }
    if (services.loadReadingSettings)
        settings_ = services.loadReadingSettings();
    menu_->showSettings(settings_);
    applySettings();

    loadCommon();
    promptCheck_->setChecked(false);
    speechCheck_->setChecked(true);
    controls().stopwatch->setVisible(false);
}

ListeningDrillWindow::~ListeningDrillWindow() = default;

void ListeningDrillWindow::buildReadingControls()
{
    const QFont font = designFont(FontFace::Songti, 10.5, true);
    const auto makeSmallButton = [&](const QString& name, const QString& caption, const QRect& twips) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAccessibleName(caption);
        controls().layout.setFont(button, font);
        controls().layout.place(button, twips);
        return button;
    };
    // Beside "语音播报" and "提 示 音", above them: the space between the
    // heading and the switches that no specified control uses.
    settingsButton_ = makeSmallButton(QStringLiteral("ReadingSettings"), QStringLiteral("朗读设置"),
                                      QRect(10920, 1320, 1300, 450));
    menu_ = new ReadingMenu(this);
    // Opened without waiting for it, so that the questions go on meanwhile.
    connect(settingsButton_, &QPushButton::clicked, this, [this] {
        menu_->popup(settingsButton_->mapToGlobal(QPoint(0, settingsButton_->height())));
    });
    connect(menu_, &ReadingMenu::changed, this, &ListeningDrillWindow::settingsChosen);

    exportButton_ = makeSmallButton(QStringLiteral("ExportAudio"), QStringLiteral("导出音频…"),
                                    QRect(10920, 1890, 1300, 450));
    exportButton_->setVisible(bool(services().exportAudio));
    connect(exportButton_, &QPushButton::clicked, this, &ListeningDrillWindow::exportAudio);

    repeatButton_ = makeSmallButton(QStringLiteral("ReadAgain"), QStringLiteral("再读一遍"),
                                    QRect(10920, 2580, 1300, 570));
    repeatButton_->setEnabled(false);
    connect(repeatButton_, &QPushButton::clicked, this, [this] {
        read(lastQuestion_, settings_.twice);
    });
}

void ListeningDrillWindow::showSpeechNotice()
{
    const bool noOutput = voice_ && voice_->silence() == Silence::NoSoundOutput;
    auto* notice = new QLabel(noOutput ? QStringLiteral("没有找到声音输出，题目不会朗读")
                                       : QStringLiteral("未安装中文语音，题目不会朗读"),
                              this);
    notice->setObjectName(QStringLiteral("SpeechNotice"));
    controls().layout.setFont(notice, designFont(FontFace::Songti, 12, true));
    controls().layout.place(notice, QRect(2040, 10530, 7485, 390));
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(0x000080));
    notice->setPalette(palette);
    notice->show();
}

QString ListeningDrillWindow::numberedSentenceStart() const
{
    return QStringLiteral("第") + controls().number->text() + QStringLiteral("题");
}

QString ListeningDrillWindow::spokenQuestion() const
{
    std::array<std::string, 3> operands;
    for (int i = 0; i < row().operandCount(); ++i)
        operands[i] = controls().operandText(i).toStdString();
    return QString::fromStdString(
        zorvel::spokenQuestion(controls().number->text().toStdString(), row().operation, operands));
}

void ListeningDrillWindow::playPromptIfTicked()
{
    if (promptCheck_->isChecked() && promptSound_)
        promptSound_->play();
}

bool ListeningDrillWindow::readsAloud() const
{
    return speechCheck_->isChecked() && voice_ && voice_->isAvailable();
}

void ListeningDrillWindow::updateVeil()
{
    controls().setQuestionVeiled(testQuestionShown_ && settings_.hideQuestion && readsAloud());
}

void ListeningDrillWindow::read(const QString& sentence, bool twice)
{
    // A voice that cannot speak still logs what would have been heard.
    if (speechCheck_->isChecked() && voice_)
        voice_->speak(sentence);
    if (readsAloud()) {
        pacer_->readingStarted(twice);
    } else {
        pacer_->readingStarted(false);
        pacer_->readingEnded();
    }
}

void ListeningDrillWindow::readAgain()
{
    // The second reading of a question read twice: once, then on.
    if (!lastQuestion_.isEmpty() && flow_ != Flow::PlayingBack)
        read(lastQuestion_, false);
}

void ListeningDrillWindow::askQuestion()
{
    // With 自动出题, "出 题" starts the questions, then pauses and resumes them.
    if (settings_.autoAsk && flow_ == Flow::Running) {
        pacer_->pause();
        setFlow(Flow::Paused);
        return;
    }
    if (settings_.autoAsk && flow_ == Flow::Paused) {
        pacer_->resume();
        setFlow(Flow::Running);
        return;
    }
    setFlow(settings_.autoAsk ? Flow::Running : Flow::ByHand);
    presentQuestion();
}

void ListeningDrillWindow::presentQuestion()
{
    playPromptIfTicked();
    controls().stopwatch->startIfIdle();
    testQuestionShown_ = true;
    updateVeil();
    // While the answers are being checked, the count stands at the answer
    // last played back: a new question takes the number after it.
    presentNextQuestion();
    if (cycle().questionNumber() == row().questionsPerTest()) {
        offerAnswerCheck();
        setFlow(Flow::ByHand);
    }
    lastQuestion_ = spokenQuestion();
    repeatButton_->setEnabled(true);
    read(lastQuestion_, settings_.twice);
}

void ListeningDrillWindow::goOn()
{
    if (flow_ == Flow::Running)
        presentQuestion();
    else if (flow_ == Flow::PlayingBack)
        checkAnswersClicked();
}

void ListeningDrillWindow::checkAnswersClicked()
{
    editCycle().setQuestionNumber(cycle().questionNumber() % row().questionsPerTest() + 1);
    controls().number->setText(QString::number(cycle().questionNumber()));
    const Question& logged = cycle().log().entry(cycle().questionNumber());
    testQuestionShown_ = false;
    updateVeil();
    controls().showOperands(logged);
    const QString answer = QString::fromStdString(withSignPosition(logged.correctAnswer));
    controls().entry->showAnswer(answer);
    playPromptIfTicked();
    repeatButton_->setEnabled(false);
    // With 自动出题 the answers follow by themselves up to the twentieth;
    // a click still moves on at once.
    const bool more = cycle().questionNumber() < row().questionsPerTest();
    setFlow(settings_.autoAsk && more ? Flow::PlayingBack : Flow::ByHand);
    read(numberedSentenceStart() + answer, false);
    controls().mark->clear();
}

void ListeningDrillWindow::setFlow(Flow flow)
{
    flow_ = flow;
    controls().ask->setText(flow == Flow::Running  ? QStringLiteral("暂停")
                         : flow == Flow::Paused ? QStringLiteral("继续")
                                                : QStringLiteral("出 题"));
}

void ListeningDrillWindow::testAbandoned()
{
    // Readings still being heard belong to the abandoned test.
    staleEnds_ += pacer_->readingsOutstanding();
    pacer_->stop();
    setFlow(Flow::ByHand);
    lastQuestion_.clear();
    repeatButton_->setEnabled(false);
    testQuestionShown_ = false;
    updateVeil();
}

void ListeningDrillWindow::done(int result)
{
    pacer_->stop();
    DrillWindow::done(result);
}

void ListeningDrillWindow::settingsChosen(const ReadingSettings& settings)
{
    settings_ = settings;
    if (services().saveReadingSettings)
        services().saveReadingSettings(settings_);
    if (!settings_.autoAsk && (flow_ == Flow::Paused || flow_ == Flow::PlayingBack || flow_ == Flow::Running)) {
        pacer_->resume();
        setFlow(Flow::ByHand);
    }
    applySettings();
}

void ListeningDrillWindow::applySettings()
{
    updateVeil();
    recording().readingSettings(settings_);
    if (voice_)
        voice_->setRatePercent(pacePercent(settings_.pace));
    pacer_->configure(settings_.autoAsk, settings_.gapSeconds * 1000);
}

std::unique_ptr<QDialog> createListeningDrillWindow(const QString& formName, const DrillServices& services,
                                                    QWidget* parent)
{
    return createDrillWindowOfMode<ListeningDrillWindow>(Mode::Listening, formName, services, parent);
}

} // namespace zorvel

// The drill services that need no engine: the steady clock, the local time,
// clock-seeded random sources, a real message box and file dialog.
#include "normal_drill/drill_services.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>

namespace zorvel {

namespace {

class ElapsedTimerClock final : public MonotonicClock {
public:
    ElapsedTimerClock() { timer_.start(); }
    qint64 nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

void showPlainMessage(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString chooseAudioFileToSave(QWidget* parent)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("导出音频"), QStringLiteral("听算.wav"),
                                        QStringLiteral("WAV 音频 (*.wav);;MP3 音频 (*.mp3);;Ogg Vorbis 音频 (*.ogg)"));
}

} // namespace

std::shared_ptr<const MonotonicClock> steadyClock()
{
    static const auto clock = std::make_shared<ElapsedTimerClock>();
    return clock;
}

DrillServices defaultDrillServices()
{
    DrillServices services;
    services.clock = steadyClock();
    services.timeOfDay = [] { return QDateTime::currentDateTime(); };
    services.randomSource = [] { return std::make_unique<SeededRandom>(); };
    services.showMessage = showPlainMessage;
    services.chooseAudioFile = chooseAudioFileToSave;
    return services;
}

} // namespace zorvel

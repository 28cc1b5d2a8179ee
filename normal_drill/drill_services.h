// What a drill window is given from outside: the monotonic clock of its
// stopwatch, the time of day, its random source, its voice and prompt sound,
// the rest reminder's message box, the pupils' record it reports to, the
// reading settings kept for the pupil and the audio export. The
// program passes defaultDrillServices() with the speech engine's voice and
// prompt sound and the record store added where it is put together
// (shell/program_services.h); tests pass fakes.
#pragma once

#include "questions/random_source.h"
#include "listening_pace/reading_settings.h"
#include "records/test_reports.h"
#include "speech/audio_export.h"
#include "speech/voice.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QWidget;

namespace zorvel {

// Milliseconds on a clock that never jumps (not the time of day).
class MonotonicClock {
public:
    virtual ~MonotonicClock() = default;
    virtual qint64 nowMs() const = 0;
};

std::shared_ptr<const MonotonicClock> steadyClock();

using RandomSourceFactory = std::function<std::unique_ptr<RandomSource>()>;
using PromptSoundFactory = std::function<std::unique_ptr<PromptSound>()>;
// Shows a modal message box with an OK button and no icon; returns when the
// pupil has dismissed it.
using MessageBoxShower =
    std::function<void(QWidget* parent, const QString& title, const QString& text)>;

namespace sheets {
struct Worksheet;
}

struct DrillServices {
    std::shared_ptr<const MonotonicClock> clock;
    std::function<QDateTime()> timeOfDay;  // when a test began, as the pupil's record keeps it
    RandomSourceFactory randomSource;
    VoiceFactory voice;
    PromptSoundFactory promptSound;
    MessageBoxShower showMessage;
    // Told about every test; it outlives the window. None: nothing recorded.
    records::TestRecorder* recorder = nullptr;
    // The listening windows' reading settings of the current pupil, kept
    // between windows and runs. None: the defaults, not kept.
    std::function<ReadingSettings()> loadReadingSettings;
    std::function<void(const ReadingSettings&)> saveReadingSettings;
    // "导出音频…": the file to write (empty: none chosen), and the engine
    // that writes it. No exporter: the button is not offered.
    std::function<QString(QWidget* parent)> chooseAudioFile;
    AudioExporter exportAudio;
    // Saves a sheet as PDF (the listening sheet and key beside an exported
    // recording); empty when saved, else why not. None: no sheet is saved.
    std::function<QString(const sheets::Worksheet& sheet, const QString& path)> saveSheet;
};

// The steady clock, the local time, clock-seeded random sources and a real
// message box; no voice and no prompt sound (a listening window then stays
// silent), and no record.
DrillServices defaultDrillServices();

} // namespace zorvel

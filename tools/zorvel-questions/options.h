// Command-line options of zorvel-questions, read and checked in one place so
// that bad input is refused before anything is printed.
#pragma once

#include "questions/catalogue.h"
#include "listening_pace/reading_settings.h"
#include "questions/generators.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

namespace zorvel {

enum class SheetFormat { Text, Tsv, Pdf, Wav, Mp3, Ogg };

struct SheetOptions {
    Operation operation = Operation::Add;
    Level level = Level::TwoDigitsByOne;
    NumberType type = NumberType::Integer;
    Mode mode = Mode::Normal;
    int count = 10;
    QString preset;         // a 达标测试 preset's key; its test gives the exercise and count
    std::optional<std::uint64_t> seed;
    SheetFormat format = SheetFormat::Text;
    int columns = 0;        // pdf: 0 for as many as fit
    QString output;         // pdf and audio: the file written
    ReadingSettings reading;  // audio: pace, twice, gap
    bool answers = false;
    bool draws = false;     // text and tsv: the generators' own draws, repeats included
    bool help = false;
    bool version = false;
};

inline constexpr int kMaxCount = 1000000;
// A PDF sheet stops at 100 pages of questions (and as many of answers).
inline constexpr int kMaxPdfCount = 10000;
inline constexpr int kMaxColumns = 6;
// An audio test stops at 100 questions.
inline constexpr int kMaxAudioCount = 100;

struct ParsedOptions {
    SheetOptions options;
    std::string error;  // one line naming the accepted values; empty when the options are good
};

// Reads the arguments (the first is the program); prints nothing and never
// ends the process, so tests and fuzzers can call it.
ParsedOptions parseOptions(const QStringList& arguments);

std::string usageText();

} // namespace zorvel

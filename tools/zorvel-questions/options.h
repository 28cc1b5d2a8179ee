// Command-line options of zorvel-questions, read and checked in one place so
// that bad input is refused before anything is printed.
#pragma once

#include "questions/catalogue.h"
#include "questions/generators.h"

#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

namespace zorvel {

enum class SheetFormat { Text, Tsv };

struct SheetOptions {
    Operation operation = Operation::Add;
    Level level = Level::TwoDigitsByOne;
    NumberType type = NumberType::Integer;
    Mode mode = Mode::Normal;
    int count = 10;
    std::optional<std::uint64_t> seed;
    SheetFormat format = SheetFormat::Text;
    bool answers = false;
    bool help = false;
    bool version = false;
};

inline constexpr int kMaxCount = 1000000;

struct ParsedOptions {
    SheetOptions options;
    std::string error;  // one line naming the accepted values; empty when the options are good
};

// Reads the arguments (the first is the program); prints nothing and never
// ends the process, so tests and fuzzers can call it.
ParsedOptions parseOptions(const QStringList& arguments);

std::string usageText();

} // namespace zorvel

// What a printed question sheet holds: its title, the questions as operand
// texts with the operator signs between them and the answer, the number of
// columns and whether it is a listening sheet. Made here from the question
// engine (a seeded run: the same seed gives the same sheet) or from
// questions already shown (the mistakes book).
#pragma once

#include "questions/catalogue.h"
#include "questions/generators.h"
#include "questions/test_draw.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace zorvel::sheets {

struct SheetQuestion {
    QStringList operands;  // "47", "8"
    QStringList signs;     // one fewer than the operands: "+"
    QString answer;        // "55"
};

// "47 + 8 =": the question as one run of text, as it is printed.
QString questionText(const SheetQuestion& question);

inline constexpr int kMaxColumns = 6;

struct Worksheet {
    QString title;                       // "口算练习 加法 2位 + 1位 整数"
    QString note;                        // under the title: "限时 5 分钟　达标：…"; may be empty
    std::vector<SheetQuestion> questions;
    int columns = 0;                     // 0: as many as the widest question allows
    bool listening = false;              // the pupil's sheet has numbered blanks only
    bool answerKey = false;              // answer pages after the questions
    std::optional<std::uint64_t> seed;   // printed small in the footer, to make the test again
    int copies = 1;                      // the pupils' pages printed this many times, the key once
    bool compactKey = false;             // the key on as few pages as it fits, at any readable size
};

// The operation, level and type as a sheet's title names them:
// "加法 2位 + 1位 整数", "乘法 2位 × 1位", "除法 ÷2位=1位".
QString exerciseTitle(Operation op, Level level, NumberType type);

// A question written with the operation's sheet signs, the minus as the true
// minus sign: +, −, ×, ÷.
SheetQuestion sheetQuestion(Operation op, const QStringList& operands, const QString& answer);

struct SheetRequest {
    // The exercise: parts when given (a test of several exercises), else
    // operation, level and type.
    std::vector<Exercise> parts;
    Operation operation = Operation::Add;
    Level level = Level::TwoDigitsByOne;
    NumberType type = NumberType::Integer;
    Mode mode = Mode::Normal;
    int count = 100;
    std::uint64_t seed = 0;
};

std::vector<Exercise> requestedParts(const SheetRequest& request);

// The test the seed gives (test_draw.h), titled "口算练习 …" (or "听算练习
// …" in listening mode) by its first exercise, with the seed; columns and
// key unset.
Worksheet drawnWorksheet(const SheetRequest& request);
// A sheet of questions already drawn, each with its own operation's signs.
Worksheet questionsWorksheet(const std::vector<DrawnQuestion>& questions);

} // namespace zorvel::sheets

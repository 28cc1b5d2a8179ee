// What a printed question sheet holds: its title, the questions as operand
// texts with the operator signs between them and the answer, the number of
// columns and whether it is a listening sheet. Made here from the question
// engine (a seeded run: the same seed gives the same sheet) or from
// questions already shown (the mistakes book).
#pragma once

#include "questions/catalogue.h"
#include "questions/generators.h"

#include <QString>
#include <QStringList>

#include <cstdint>
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
};

// The operation, level and type as a sheet's title names them:
// "加法 2位 + 1位 整数", "乘法 2位 × 1位", "除法 ÷2位=1位".
QString exerciseTitle(Operation op, Level level, NumberType type);

// A question written with the operation's sheet signs, the minus as the true
// minus sign: +, −, ×, ÷.
SheetQuestion sheetQuestion(Operation op, const QStringList& operands, const QString& answer);

struct SheetRequest {
    Operation operation = Operation::Add;
    Level level = Level::TwoDigitsByOne;
    NumberType type = NumberType::Integer;
    Mode mode = Mode::Normal;
    int count = 100;
    std::uint64_t seed = 0;
};

// count questions drawn from the seed by the operation's generator, no page's
// worth of them repeating a question where the level has enough, titled
// "口算练习 …" (or "听算练习 …" in listening mode); columns and key unset.
Worksheet drawnWorksheet(const SheetRequest& request);

} // namespace zorvel::sheets

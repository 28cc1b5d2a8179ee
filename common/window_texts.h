// The texts the program's windows and tools take from its pure tables: a
// UTF-8 text held as a std::string_view (the exercise catalogue's captions,
// the facts' keys and signs) as a QString, a text with the true signs of
// written mathematics, and the title bar of every window. Header only; who
// uses mathText links zorvel_questions.
#pragma once

#include "questions/written_math.h"

#include <QString>

#include <string_view>

namespace zorvel {

inline QString catalogueText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A level caption or a question as mathematics is written ("1位 × 1位",
// "67 − 9 = 58"), for what the program shows outside the drill windows.
inline QString mathText(const QString& text)
{
    return QString::fromStdString(writtenMath(text.toStdString()));
}

// The title bar of every window of the program, the menu's included.
inline QString programWindowTitle()
{
    return QStringLiteral("Zorvel 2020-1版");
}

} // namespace zorvel

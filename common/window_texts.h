// The texts the program's windows and tools take from its pure tables: a
// UTF-8 text held as a std::string_view (the exercise catalogue's captions,
// the facts' keys and signs) as a QString, and the title bar of every window.
#pragma once

#include <QString>

#include <string_view>

namespace zorvel {

inline QString catalogueText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The title bar of every window of the program, the menu's included.
inline QString programWindowTitle()
{
    return QStringLiteral("Zorvel 2020-1版");
}

} // namespace zorvel

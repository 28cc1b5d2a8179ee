// Quoting typed text with its control and format characters escaped.
#include "common/quoting.h"

#include "common/window_texts.h"

#include <QChar>
#include <QList>

namespace zorvel {

namespace {

bool isHarmless(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:      // bidirectional overrides, zero-width marks
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

void appendEscape(QString& out, char32_t c)
{
    switch (c) {
    case U'\\': out += QLatin1String("\\\\"); return;
    case U'"': out += QLatin1String("\\\""); return;
    case U'\n': out += QLatin1String("\\n"); return;
    case U'\r': out += QLatin1String("\\r"); return;
    case U'\t': out += QLatin1String("\\t"); return;
    default: break;
    }
    if (c < 0x80)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else if (c < 0x10000)
        out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'));
}

} // namespace

QString quotedArgument(QStringView text)
{
    QString out = QStringLiteral("\"");
    for (char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c != 0x7f && c != U'\\' && c != U'"' && isHarmless(c))
            out += QString::fromUcs4(&c, 1);
        else
            appendEscape(out, c);
    }
    return out + QLatin1Char('"');
}

std::string quotedArgument(std::string_view utf8)
{
    return quotedArgument(catalogueText(utf8)).toStdString();
}

} // namespace zorvel

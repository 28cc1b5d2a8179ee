// Texts and colours of the daily practice.
#include "fact_grid/fact_texts.h"

#include "questions/written_math.h"

#include <QDate>

namespace zorvel::facts {

QString writtenFact(std::string_view text)
{
    return QString::fromStdString(writtenMath(text));
}

QString dueText(Day due, Day today)
{
    if (due <= today)
        return QStringLiteral("今天到期");
    if (due == today + 1)
        return QStringLiteral("明天");
    const QDate date = QDate::fromJulianDay(due);
    return QStringLiteral("%1月%2日").arg(date.month()).arg(date.day());
}

QString describeFact(const Fact& fact, const FactState& state, Day today)
{
    if (!state.asked())
        return writtenFact(fact.text()) + QStringLiteral("：还没练过");
    QString text = writtenFact(fact.withAnswer())
                   + QStringLiteral("：答过 %1 次，答对 %2 次").arg(state.attempts).arg(state.rights);
    if (state.medianMs >= 0)
        text += QStringLiteral("，用时中位数 %1 秒").arg(state.medianMs / 1000.0, 0, 'f', 1);
    text += QStringLiteral("，%1，下次：%2").arg(colourMeaning(state.colour()), dueText(state.due, today));
    return text;
}

QString planText(const DailySession& session)
{
    if (session.nothingToDo())
        return QStringLiteral("今天的练习已经完成");
    return QStringLiteral("今天：%1 题，其中新题 %2").arg(session.length()).arg(session.newFacts());
}

QColor gridColour(Colour colour)
{
    switch (colour) {
    case Colour::Grey: return QColor(0xc8, 0xc8, 0xc8);
    case Colour::Red: return QColor(0xe8, 0x50, 0x50);
    case Colour::Yellow: return QColor(0xf5, 0xd0, 0x40);
    case Colour::LightGreen: return QColor(0xb5, 0xe6, 0x9a);
    case Colour::Green: return QColor(0x2e, 0xa0, 0x44);
    }
    return Qt::white;
}

QString colourMeaning(Colour colour)
{
    switch (colour) {
    case Colour::Grey: return QStringLiteral("没练过");
    case Colour::Red: return QStringLiteral("上次答错");
    case Colour::Yellow: return QStringLiteral("答对但慢");
    case Colour::LightGreen: return QStringLiteral("答对，还没掌握");
    case Colour::Green: return QStringLiteral("已掌握");
    }
    return {};
}

} // namespace zorvel::facts

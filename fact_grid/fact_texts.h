// The daily practice's words on screen: a fact and how it stands, the plan
// of the day, the colours of the grid.
#pragma once

#include "common/window_texts.h"
#include "facts/daily_session.h"

#include <QColor>
#include <QString>

namespace zorvel::facts {

// A fact as mathematics is written: "15 − 8", "15 − 8 = 7".
QString writtenFact(std::string_view text);
// "7 × 8 = 56：答过 5 次，答对 4 次，用时中位数 2.3 秒，已掌握，下次：12月9日"
QString describeFact(const Fact& fact, const FactState& state, Day today);
// "今天到期", "明天", "12月9日"
QString dueText(Day due, Day today);
// "今天：20 题，其中新题 5"; "今天的练习已经完成" when there is nothing to do.
QString planText(const DailySession& session);
QColor gridColour(Colour colour);
// "没练过", "上次答错", "答对但慢", "答对，还没掌握", "已掌握"
QString colourMeaning(Colour colour);

} // namespace zorvel::facts

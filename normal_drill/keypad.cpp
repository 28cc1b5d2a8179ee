// The keypad's keys, their placement and fonts.
#include "normal_drill/keypad.h"

#include "normal_drill/drill_button.h"
#include "design_units/screen_units.h"
#include "normal_drill/twips_layout.h"

namespace zorvel {

namespace {

// Keypad columns and rows (twips): "7" "8" "9" on the top row.
constexpr int kColumns[3] = {10920, 12000, 13080};
constexpr int kRows[3] = {7080, 5880, 4680};  // "1".."3", "4".."6", "7".."9"

QPushButton* makeKey(QWidget* window, TwipsLayout& layout, int commandNumber, const QString& caption,
                     const QRect& twips, const QFont& font)
{
    auto* key = new DrillButton(caption, window);
    key->setObjectName(QStringLiteral("Command%1").arg(commandNumber));
    layout.setFont(key, font);
    layout.place(key, twips);
    return key;
}

} // namespace

Keypad::Keypad(QWidget* window, TwipsLayout& layout) : QObject(window)
{
    const QFont digitFont = designFont(FontFace::Arial, 36, true);
    for (int d = 0; d <= 9; ++d) {
        const QRect place = d == 0
            ? QRect(10920, 8280, 1935, 1000)
            : QRect(kColumns[(d - 1) % 3], kRows[(d - 1) / 3], 900, 1000);
        digits_[d] = makeKey(window, layout, 4 + d, QString::number(d), place, digitFont);
        connect(digits_[d], &QPushButton::clicked, this, [this, d] { emit digitPressed(d); });
    }
    point_ = makeKey(window, layout, 14, QStringLiteral("."), QRect(13080, 8280, 900, 1000), digitFont);
    const QFont wordFont = designFont(FontFace::Songti, 21.75, true);
    cancel_ = makeKey(window, layout, 15, QStringLiteral("取消"), QRect(14160, 4680, 900, 2200), wordFont);
    confirm_ = makeKey(window, layout, 16, QStringLiteral("确定"), QRect(14160, 7080, 900, 2200), wordFont);
    connect(point_, &QPushButton::clicked, this, &Keypad::pointPressed);
    connect(cancel_, &QPushButton::clicked, this, &Keypad::cancelPressed);
    connect(confirm_, &QPushButton::clicked, this, &Keypad::confirmPressed);
}

void Keypad::setDigitKeysEnabled(bool enabled)
{
    for (QPushButton* key : digits_)
        key->setEnabled(enabled);
    point_->setEnabled(enabled);
}

} // namespace zorvel

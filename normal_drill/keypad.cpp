// The keypad's keys, their placement and fonts.
#include "normal_drill/keypad.h"

#include "normal_drill/screen_units.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zorvel {

namespace {

// Keypad columns and rows (twips): "7" "8" "9" on the top row.
constexpr int kColumns[3] = {10920, 12000, 13080};
constexpr int kRows[3] = {7080, 5880, 4680};  // "1".."3", "4".."6", "7".."9"

QPushButton* makeKey(QWidget* window, int commandNumber, const QString& caption,
                     const QRect& twips, const QFont& font)
{
    auto* key = new KeyButton(caption, window);
    key->setObjectName(QStringLiteral("Command%1").arg(commandNumber));
    key->setFont(font);
    key->setGeometry(twipsRect(twips));
    return key;
}

} // namespace

void KeyButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWrapAnywhere, text());
}

Keypad::Keypad(QWidget* window) : QObject(window)
{
    const QFont digitFont = designFont(FontFace::Arial, 36, true);
    for (int d = 0; d <= 9; ++d) {
        const QRect place = d == 0
            ? QRect(10920, 8280, 1935, 1000)
            : QRect(kColumns[(d - 1) % 3], kRows[(d - 1) / 3], 900, 1000);
        digits_[d] = makeKey(window, 4 + d, QString::number(d), place, digitFont);
        connect(digits_[d], &QPushButton::clicked, this, [this, d] { emit digitPressed(d); });
    }
    point_ = makeKey(window, 14, QStringLiteral("."), QRect(13080, 8280, 900, 1000), digitFont);
    const QFont wordFont = designFont(FontFace::Songti, 21.75, true);
    cancel_ = makeKey(window, 15, QStringLiteral("取消"), QRect(14160, 4680, 900, 2200), wordFont);
    confirm_ = makeKey(window, 16, QStringLiteral("确定"), QRect(14160, 7080, 900, 2200), wordFont);
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

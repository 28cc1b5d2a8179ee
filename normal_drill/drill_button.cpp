// Painting a drill button: the style's button, the wrapped caption and the
// focus mark.
#include "normal_drill/drill_button.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace zorvel {

namespace {

const QColor kFocusMark(0, 84, 200);

} // namespace

DrillButton::DrillButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

void DrillButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWrapAnywhere, text());
    // The window's focus widget is marked even while another window is
    // active: the mark shows where the keys will act.
    if (window()->focusWidget() == this) {
        const qreal pen = std::max(2.0, height() / 24.0);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kFocusMark, pen));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = pen / 2 + 2;
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), pen, pen);
    }
}

} // namespace zorvel

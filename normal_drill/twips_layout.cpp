// One scale factor over the twips conversion, applied to every control.
#include "normal_drill/twips_layout.h"

#include "design_units/screen_units.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>

namespace zorvel {

TwipsLayout::TwipsLayout(QWidget* window, int widthTwips, int heightTwips)
    : window_(window), widthTwips_(widthTwips), heightTwips_(heightTwips)
{
}

QSize TwipsLayout::designSize() const
{
    return twipsSize(widthTwips_, heightTwips_);
}

qreal TwipsLayout::scaleToFit(const QSize& size) const
{
    const QSize design = designSize();
    return std::min(qreal(size.width()) / design.width(), qreal(size.height()) / design.height());
}

QRect TwipsLayout::pixels(QWidget* widget, const QRect& twips) const
{
    const QRect rect = twipsRect(twips, scale_);
    // Only the window's own controls move with the letterbox; controls in a
    // frame keep their place in it.
    return widget->parentWidget() == window_ ? rect.translated(origin_) : rect;
}

void TwipsLayout::place(QWidget* widget, const QRect& twips)
{
    placements_.push_back({widget, twips});
    widget->setGeometry(pixels(widget, twips));
}

void TwipsLayout::setFont(QWidget* widget, const QFont& designFont)
{
    auto known = std::find_if(fonts_.begin(), fonts_.end(),
                              [widget](const FontChoice& choice) { return choice.widget == widget; });
    if (known == fonts_.end())
        fonts_.push_back({widget, designFont});
    else
        known->font = designFont;
    widget->setFont(scaledFont(designFont, scale_));
}

// A check box or an option keeps its indicator at one size whatever the
// scale, so a reduced window leaves its caption less room than the design
// gave it: its font is reduced further until the whole caption shows.
static void keepCaptionWhole(QWidget* widget)
{
    if (!qobject_cast<QCheckBox*>(widget) && !qobject_cast<QRadioButton*>(widget))
        return;
    QFont font = widget->font();
    for (int step = 0; step < 12 && widget->sizeHint().width() > widget->width() && font.pointSizeF() > 4; ++step) {
        font.setPointSizeF(font.pointSizeF() * 0.92);
        widget->setFont(font);
    }
}

void TwipsLayout::fitToWindow()
{
    const QSize size = window_->size();
    // Fitted already at this size: setting the same fonts again would make
    // every label lay out its text anew.
    if (size == fittedSize_ && placements_.size() == fittedPlacements_ && fonts_.size() == fittedFonts_)
        return;
    fittedSize_ = size;
    fittedPlacements_ = placements_.size();
    fittedFonts_ = fonts_.size();
    // The designed size is kept to the pixel: its scale is exactly 1.
    scale_ = size == designSize() ? 1.0 : scaleToFit(size);
    const QSize used = twipsSize(widthTwips_, heightTwips_, scale_);
    origin_ = QPoint(std::max(0, (size.width() - used.width()) / 2),
                     std::max(0, (size.height() - used.height()) / 2));
    for (const FontChoice& choice : fonts_) {
        if (choice.widget)
            choice.widget->setFont(scaledFont(choice.font, scale_));
    }
    for (const Placement& placement : placements_) {
        if (placement.widget)
            placement.widget->setGeometry(pixels(placement.widget, placement.twips));
    }
    for (const Placement& placement : placements_) {
        if (placement.widget)
            keepCaptionWhole(placement.widget);
    }
}

} // namespace zorvel

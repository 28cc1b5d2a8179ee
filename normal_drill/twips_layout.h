// Every control of a drill window placed from its twips rectangle and given
// its designed font at one scale factor of the whole window: 1 at the
// designed size, smaller where the screen is smaller, larger on a maximized
// window. A window whose shape differs from the designed one is letterboxed.
#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <vector>

namespace zorvel {

class TwipsLayout {
public:
    // window: the drill window; widthTwips × heightTwips its designed client area.
    TwipsLayout(QWidget* window, int widthTwips, int heightTwips);

    // Places widget from twips relative to its parent, now and at every scale.
    void place(QWidget* widget, const QRect& twips);
    // Gives widget designFont, scaled now and at every scale.
    void setFont(QWidget* widget, const QFont& designFont);

    qreal scale() const { return scale_; }
    // The client size at the designed scale 1.
    QSize designSize() const;
    // The largest scale at which the whole window fits in size.
    qreal scaleToFit(const QSize& size) const;
    // Re-places every control and font for the window's present size.
    void fitToWindow();

private:
    QRect pixels(QWidget* widget, const QRect& twips) const;

    struct Placement {
        QPointer<QWidget> widget;
        QRect twips;
    };
    struct FontChoice {
        QPointer<QWidget> widget;
        QFont font;
    };
    QWidget* window_;
    int widthTwips_;
    int heightTwips_;
    qreal scale_ = 1.0;
    QPoint origin_;
    std::vector<Placement> placements_;
    std::vector<FontChoice> fonts_;
    // What the last fit was made for.
    QSize fittedSize_;
    size_t fittedPlacements_ = 0;
    size_t fittedFonts_ = 0;
};

} // namespace zorvel

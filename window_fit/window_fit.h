// Every window of the program opens within the screen's free area, its frame
// and title bar included: a window designed larger than that area is scaled
// down as a whole (one factor for its size and its fonts) and placed so that
// no part of its frame lies off the screen or under a panel. At the designed
// size nothing changes.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace zorvel {

// What the desktop's frame adds around a window's client area: the frame of
// `shown`, a window already on the screen, when the window manager has told
// it; otherwise an allowance for a title bar and borders.
QMargins frameAround(const QWidget* shown);

// The largest factor, at most 1, by which a client area of `design` with
// `frame` around it fits inside `area`.
qreal scaleToFit(const QSize& design, const QMargins& frame, const QRect& area);

// The frame's top-left corner for a client area of `client`: centred on
// `centre`, then moved as little as needed to lie wholly inside `area`
// (its top-left corner first when it is larger).
QPoint framePosition(const QSize& client, const QMargins& frame, const QRect& area, const QPoint& centre);

// The window a new one opens over: the modal window in front, else the
// active window, else any window shown (without a window manager nothing is
// ever active); nullptr when none is shown.
QWidget* windowInFront();

// Sizes `window` (not yet shown) to `design` scaled by scaleToFit on the
// screen of `over`, or the primary screen, and places its frame there,
// centred over `over` when given. Returns the factor used.
qreal fitOnScreen(QWidget* window, const QSize& design, const QWidget* over);

// For the first window, placed with an allowance for a frame nobody knew:
// once the window manager tells its frame, `window` is made smaller and moved
// if the frame reaches off the free area. Nothing happens without a frame.
void keepFrameOnScreen(QWidget* window, const QSize& design);

// The smallest a window scaled as a whole may become and stay legible.
QSize smallestLegibleSize(const QSize& design);

// Sets on `window` and every widget in it that was given a font of its own
// that font at `scale` times its first size, and on `window` its own font.
// Called again with another factor, it scales from the first sizes.
void scaleFonts(QWidget* window, qreal scale);

} // namespace zorvel

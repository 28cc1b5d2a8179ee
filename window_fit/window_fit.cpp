// Frame allowance, fitting factor, frame placement and font scaling.
#include "window_fit/window_fit.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace zorvel {

namespace {

// A title bar and thin borders, as many window managers draw them, for the
// first window, whose frame nobody knows before it is shown; a larger frame
// is made room for once it is known (keepFrameOnScreen).
const QMargins kFrameAllowance(2, 24, 2, 4);

const char kDesignFontProperty[] = "zorvelDesignFont";

int clampedStart(int wanted, int size, int first, int room)
{
    // Larger than the room: its start stays visible.
    return size >= room ? first : std::clamp(wanted, first, first + room - size);
}

} // namespace

QMargins frameAround(const QWidget* shown)
{
    if (shown && shown->isVisible()) {
        const QWidget* top = shown->window();
        if (const QWindow* handle = top->windowHandle(); handle && handle->isExposed())
            return handle->frameMargins();
    }
    return kFrameAllowance;
}

qreal scaleToFit(const QSize& design, const QMargins& frame, const QRect& area)
{
    if (design.isEmpty())
        return 1.0;
    const qreal across = qreal(area.width() - frame.left() - frame.right()) / design.width();
    const qreal down = qreal(area.height() - frame.top() - frame.bottom()) / design.height();
    return std::clamp(std::min(across, down), 0.01, 1.0);
}

QPoint framePosition(const QSize& client, const QMargins& frame, const QRect& area, const QPoint& centre)
{
    const QSize outer = client.grownBy(frame);
    return QPoint(clampedStart(centre.x() - outer.width() / 2, outer.width(), area.left(), area.width()),
                  clampedStart(centre.y() - outer.height() / 2, outer.height(), area.top(), area.height()));
}

QWidget* windowInFront()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->isWindow() && !top->windowFlags().testFlag(Qt::ToolTip))
            return top;
    return nullptr;
}

qreal fitOnScreen(QWidget* window, const QSize& design, const QWidget* over)
{
    const QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(design);
        return 1.0;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameAround(over ? over : QApplication::activeWindow());
    const qreal scale = scaleToFit(design, frame, area);
    const QSize client = scale < 1.0 ? (QSizeF(design) * scale).toSize() : design;
    window->resize(client);
    const QPoint centre = over ? over->window()->frameGeometry().center() : area.center();
    window->move(framePosition(client, frame, area, centre));
    return scale;
}

QSize smallestLegibleSize(const QSize& design)
{
    // Its smallest print, 12 points, then reads as 7.
    return (QSizeF(design) * 0.6).toSize();
}

namespace {

// Watches a shown window until its frame is known, and makes room for the
// frame if it then reaches off the free area.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, QSize design) : QObject(window), window_(window), design_(design)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Move && event->type() != QEvent::Resize && event->type() != QEvent::Expose)
            return false;
        const QWindow* handle = window_->windowHandle();
        if (!handle || handle->frameMargins().isNull() || !window_->screen())
            return false;
        // The frame is known: this is the last look.
        window_->removeEventFilter(this);
        const QRect area = window_->screen()->availableGeometry();
        if (!area.contains(window_->frameGeometry()) && !window_->isMaximized() && !window_->isFullScreen()) {
            const QMargins frame = handle->frameMargins();
            const qreal scale = scaleToFit(design_, frame, area);
            const QSize client = scale < 1.0 ? (QSizeF(design_) * scale).toSize() : design_;
            window_->resize(client.boundedTo(window_->size()));
            window_->move(framePosition(window_->size(), frame, area, area.center()));
        }
        deleteLater();
        return false;
    }

private:
    QWidget* window_;
    QSize design_;
};

} // namespace

void keepFrameOnScreen(QWidget* window, const QSize& design)
{
    new FrameWatch(window, design);
}

void scaleFonts(QWidget* window, qreal scale)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        if (widget != window && !widget->testAttribute(Qt::WA_SetFont))
            continue;
        QVariant design = widget->property(kDesignFontProperty);
        if (!design.isValid()) {
            design = QVariant::fromValue(widget->font());
            widget->setProperty(kDesignFontProperty, design);
        }
        QFont font = design.value<QFont>();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * scale);
        widget->setFont(font);
    }
}

} // namespace zorvel

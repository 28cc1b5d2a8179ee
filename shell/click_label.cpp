// A label that reports a left click released over it.
#include "shell/click_label.h"

#include <QMouseEvent>

namespace zorvel {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace zorvel

// The combo box that the wheel turns only while it has the focus.
#include "choice_box/choice_box.h"

#include <QWheelEvent>

namespace zorvel {

ChoiceBox::ChoiceBox(QWidget* parent) : QComboBox(parent)
{
    // Not Qt::WheelFocus: the wheel gives it no focus either.
    setFocusPolicy(Qt::StrongFocus);
}

void ChoiceBox::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace zorvel

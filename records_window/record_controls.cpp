// Push buttons and titled frames in the records window's fonts.
#include "records_window/record_controls.h"

#include "design_units/screen_units.h"

#include <QGroupBox>
#include <QPushButton>

namespace zorvel::records {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, qreal pointSize)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(designFont(FontFace::Heiti, pointSize));
    button->setAutoDefault(false);
    return button;
}

QGroupBox* makeFrame(QWidget* parent, const QString& title)
{
    auto* frame = new QGroupBox(title, parent);
    frame->setFont(designFont(FontFace::Songti, 12));
    return frame;
}

} // namespace zorvel::records

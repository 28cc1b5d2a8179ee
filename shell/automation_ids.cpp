// Gives every polished or shown widget its objectName as accessible
// description when it has none.
#include "shell/automation_ids.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace zorvel {

void describeByObjectName(QWidget* widget)
{
    if (widget->accessibleDescription().isEmpty() && !widget->objectName().isEmpty())
        widget->setAccessibleDescription(widget->objectName());
}

bool AutomationIds::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Polish || type == QEvent::Show) && watched->isWidgetType())
        describeByObjectName(static_cast<QWidget*>(watched));
    return false;
}

bool installAutomationIdsFromEnvironment(QApplication& app)
{
    if (qEnvironmentVariable("ZORVEL_AUTOMATION_IDS") != QLatin1String("1"))
        return false;
    app.installEventFilter(new AutomationIds(&app));
    return true;
}

} // namespace zorvel

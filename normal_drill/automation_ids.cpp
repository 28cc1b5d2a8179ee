// Object names as accessible descriptions, for UI automation.
#include "normal_drill/automation_ids.h"

#include <QWidget>

namespace zorvel {

void applyAutomationIds(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (widget->accessibleDescription().isEmpty() && !widget->objectName().isEmpty())
            widget->setAccessibleDescription(widget->objectName());
    }
}

void applyAutomationIdsFromEnvironment(QWidget* root)
{
    if (qEnvironmentVariable("ZORVEL_AUTOMATION_IDS") == QLatin1String("1"))
        applyAutomationIds(root);
}

} // namespace zorvel

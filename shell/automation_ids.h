// ZORVEL_AUTOMATION_IDS=1: widgets without an accessible description take
// their objectName as one, so that UI automation can address every control by
// its name, in every window the program opens.
#pragma once

#include <QObject>

class QApplication;
class QWidget;

namespace zorvel {

class AutomationIds : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

void describeByObjectName(QWidget* widget);

// Installs the filter on the application when the variable is "1"; returns
// whether it did.
bool installAutomationIdsFromEnvironment(QApplication& app);

} // namespace zorvel

// UI automation support: with ZORVEL_AUTOMATION_IDS=1 in the environment,
// every widget without an accessible description is described by its
// objectName ("Command1", "Label9(0)"), so that automation tools can find
// controls by their names. Without the variable nothing changes.
#pragma once

class QWidget;

namespace zorvel {

void applyAutomationIds(QWidget* root);
void applyAutomationIdsFromEnvironment(QWidget* root);

} // namespace zorvel

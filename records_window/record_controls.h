// The controls the records window's parts make alike: its push buttons, which
// never take the Enter key, and the titled frames of its tabs.
#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QGroupBox;
class QPushButton;
class QWidget;
QT_END_NAMESPACE

namespace zorvel::records {

// A 黑体 button of the given point size, named name.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, qreal pointSize);
QGroupBox* makeFrame(QWidget* parent, const QString& title);

} // namespace zorvel::records

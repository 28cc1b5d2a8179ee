// A label that reports a click, for the menu's web-page labels.
#pragma once

#include <QLabel>

namespace zorvel {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace zorvel

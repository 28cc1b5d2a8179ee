// A label that acts as a link: the menu's web-page labels and its pupil
// label. A click, or Enter or Space while it has the keyboard focus, reports
// it. The menu lets it take the focus by Tab once it is on the screen.
#pragma once

#include <QLabel>

namespace zorvel {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvel

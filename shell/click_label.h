// A label that acts as a link: the menu's web-page labels and its pupil
// label. A click, or Enter or Space while it has the keyboard focus (it takes
// the focus by Tab like a button), reports it.
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

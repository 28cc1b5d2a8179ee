// The buttons of a drill window: a caption that wraps inside the button, so
// that "取消" stands in two lines on its tall narrow key, and a clear focus
// mark, so that the pupil sees where Space and Enter act when the window
// moves the focus to "出 题" or "再测一次".
#pragma once

#include <QPushButton>

namespace zorvel {

class DrillButton : public QPushButton {
    Q_OBJECT
public:
    DrillButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvel

// Labels and the answer box for the huge digits of a question in column form:
// digits are centred on their own height (not on the font's line height, which
// is far taller than the designed label in the CJK fonts), right-aligned
// operands line up digit under digit, and a text wider than its label is drawn
// smaller instead of being cut off.
#pragma once

#include <QLabel>

class QLineEdit;

namespace zorvel {

class ColumnLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Moves the answer box's text so that its digits sit in the middle of the box;
// call again after each change of font.
void centreDigitsVertically(QLineEdit* box);

} // namespace zorvel

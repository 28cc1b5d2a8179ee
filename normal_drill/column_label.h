// Labels for the huge digits of a question in column form: digits are centred
// on their own height (not on the font's line height, which is far taller
// than the designed label in the CJK fonts), right-aligned operands line up
// digit under digit, and a text wider than its label is drawn smaller, in its
// own proportions, instead of being cut off.
#pragma once

#include <QLabel>

namespace zorvel {

class ColumnLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvel

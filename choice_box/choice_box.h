// ChoiceBox: the combo box every window of Zorvel uses. The mouse wheel
// turns it only once it has the focus (a click or Tab gives it): a wheel
// notch on the way past, over a pupil's name or a filter, changes nothing
// and scrolls what holds it instead.
#pragma once

#include <QComboBox>

namespace zorvel {

class ChoiceBox : public QComboBox {
    Q_OBJECT
public:
    explicit ChoiceBox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace zorvel

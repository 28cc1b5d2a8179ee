// The on-screen keypad: the digit keys Command4 ("0") to Command13 ("9"),
// Command14 ("."), Command15 ("取消") and Command16 ("确定"), built in a loop.
#pragma once

#include <QObject>
#include <QPushButton>

#include <array>

namespace zorvel {

class TwipsLayout;

class Keypad : public QObject {
    Q_OBJECT
public:
    Keypad(QWidget* window, TwipsLayout& layout);

    QPushButton* digit(int d) const { return digits_[d]; }
    const std::array<QPushButton*, 10>& digits() const { return digits_; }
    QPushButton* point() const { return point_; }
    QPushButton* cancel() const { return cancel_; }
    QPushButton* confirm() const { return confirm_; }

    // Digits and "."; "取消" and "确定" as the caller says.
    void setDigitKeysEnabled(bool enabled);

signals:
    void digitPressed(int digit);
    void pointPressed();
    void cancelPressed();
    void confirmPressed();

private:
    std::array<QPushButton*, 10> digits_{};
    QPushButton* point_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* confirm_ = nullptr;
};

} // namespace zorvel

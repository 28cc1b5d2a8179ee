// The first window of 达标测试: the pupil (or the teacher) chooses a preset
// or sets up a test of their own, sees its time limit, pass line and the
// personal best, and starts it or prints it. The choice is remembered.
#pragma once

#include "fluency/fluency_test.h"
#include "fluency/history.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace zorvel {

class FluencyChooser : public QDialog {
    Q_OBJECT
public:
    // Runs the chosen test's window (or prints it) over parent, returning
    // when it is closed.
    using TestAction = std::function<void(const fluency::FluencyTest& test, QWidget* parent)>;

    FluencyChooser(fluency::History* history, TestAction start, TestAction print, QWidget* parent = nullptr);

    fluency::FluencyTest chosenTest() const;
    void choose(const fluency::FluencyTest& test);

private:
    void buildControls();
    QGroupBox* buildCustomFrame();
    void fillLevels();
    void showChosen();
    void startChosen();
    void printChosen();

    fluency::History* history_;
    TestAction start_;
    TestAction print_;
    std::vector<QRadioButton*> presetOptions_;
    QRadioButton* customOption_ = nullptr;
    QGroupBox* customFrame_ = nullptr;
    QComboBox* operation_ = nullptr;
    QComboBox* level_ = nullptr;
    QComboBox* type_ = nullptr;
    QSpinBox* questions_ = nullptr;
    QSpinBox* minutes_ = nullptr;
    QCheckBox* noLimit_ = nullptr;
    QSpinBox* percent_ = nullptr;
    QLabel* about_ = nullptr;
};

} // namespace zorvel

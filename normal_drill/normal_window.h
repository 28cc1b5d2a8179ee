// The normal-mode drill window (Form81 to Form85): ten questions answered one
// by one on the keypad or the keyboard, each marked at once, timed by the
// stopwatch and broken off by the rest reminder after ten minutes.
#pragma once

#include "normal_drill/drill_services.h"
#include "normal_drill/drill_window.h"
#include "normal_drill/test_result.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class QLabel;

namespace zorvel {

class NormalDrillWindow : public DrillWindow {
    Q_OBJECT
public:
    NormalDrillWindow(const FamilyRow& row, const DrillServices& services, QWidget* parent = nullptr);

protected:
    void askQuestion() override;
    void finishTest() override;
    void startAgain() override;
    void stopwatchTicked(qint64 elapsedMs) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showPraisePictureAtScale();
    void giveRestReminder();

    QLabel* praisePicture_ = nullptr;
    std::unique_ptr<TestResult> result_;
};

// A new, loaded normal-mode window, or nullptr when formName is not one of
// Form81 to Form85. The caller shows it with exec().
std::unique_ptr<QDialog> createNormalDrillWindow(const QString& formName,
                                                 const DrillServices& services,
                                                 QWidget* parent = nullptr);

} // namespace zorvel

// The result at the end of a normal test, in the free space of the left
// column under the number-type frame: "全对！", or "错 N 题" with the
// questions answered wrong at the first try ("7 × 8 = 56"), in the window's
// fonts and scaled with it.
#pragma once

#include "normal_drill/twips_layout.h"
#include "questions/catalogue.h"
#include "questions/question.h"

#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QWidget;

namespace zorvel {

// "全对！" or "错 3 题".
QString resultHeading(int wrongCount);
// "7 × 8 = 56", with a true minus sign.
QString resultLine(Operation op, const Question& question);

class TestResult {
public:
    TestResult(QWidget* window, TwipsLayout& layout);

    // Shows the result of a test whose first-try mistakes these were.
    void show(Operation op, const std::vector<Question>& wrong);
    void hide();
    bool isShown() const;
    // Chooses the list's print again for the window's present scale.
    void fit();

    // The panel's place in the window (twips).
    static const QRect kHeadingTwips;
    static const QRect kListTwips;

private:
    TwipsLayout& layout_;
    QLabel* heading_;
    QLabel* list_;
    QStringList lines_;
};

} // namespace zorvel

// The answer box Text1: a single line of huge digits, centred on their own
// height. Whatever reaches it from the pupil (keys, paste, middle click, drag
// and drop, an input method) keeps only digits and one "."; a text too long for
// the box at its size is drawn smaller until it fits.
#pragma once

#include <QLineEdit>

namespace zorvel {

class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget* parent);

    // Shows text as the program writes it (the played-back answer keeps its
    // leading blank); the pupil's filter does not apply.
    void showAnswer(const QString& text);
    // The characters the pupil may put into the box.
    static bool isAnswerCharacter(QChar c);
    // Whether a point typed now would be the only one: none in the text, or
    // the one there is selected and about to be replaced.
    bool takesPoint() const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Filter;
    // Picks the largest size up to the box's font at which the whole text fits.
    void fitText();
    void centreDigitsVertically();
    qreal textRoom() const;

    Filter* filter_;
    QFont fullFont_;
    bool fitting_ = false;
    bool centringDue_ = true;
};

} // namespace zorvel

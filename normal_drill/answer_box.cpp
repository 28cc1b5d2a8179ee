// The answer box: the pupil's filter, the fitted size and the centred digits.
#include "normal_drill/answer_box.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>
#include <cmath>

namespace zorvel {

namespace {

const QString kDigits = QStringLiteral("0123456789");
// A long paste is drawn no smaller than this share of the box's size; beyond
// it the box scrolls.
constexpr qreal kSmallestShare = 0.3;
// The most characters the box holds. Qt inserts a paste at a cost that grows
// with the square of what fits, so its own limit of 32767 lets one large
// paste freeze the window for a fifth of a second; no answer comes near this.
constexpr int kLongestAnswer = 4096;
// QLineEdit's own margin left and right of the text, and the caret.
constexpr int kLineEditMargins = 2 * 2 + 1;

} // namespace

// Keeps the answer characters of what has just been inserted, and the text
// that was there before as it stands.
class AnswerBox::Filter : public QValidator {
public:
    explicit Filter(QObject* parent) : QValidator(parent) {}
    QString before;
    bool active = true;

    State validate(QString& input, int& pos) const override
    {
        if (!active)
            return Acceptable;
        qsizetype head = 0;
        const qsizetype shorter = std::min(input.size(), before.size());
        while (head < shorter && input[head] == before[head])
            ++head;
        qsizetype tail = 0;
        while (tail < shorter - head && input[input.size() - 1 - tail] == before[before.size() - 1 - tail])
            ++tail;
        QString kept;
        int removedBeforeCaret = 0;
        // A second point is thrown away like any other character.
        bool point = input.left(head).contains(QLatin1Char('.')) || input.right(tail).contains(QLatin1Char('.'));
        for (qsizetype i = head; i < input.size() - tail; ++i) {
            const bool secondPoint = input[i] == QLatin1Char('.') && point;
            if (isAnswerCharacter(input[i]) && !secondPoint) {
                point = point || input[i] == QLatin1Char('.');
                kept += input[i];
            }
            else if (i < pos)
                ++removedBeforeCaret;
        }
        if (kept.size() != input.size() - tail - head) {
            input = input.left(head) + kept + input.right(tail);
            pos -= removedBeforeCaret;
        }
        return Acceptable;
    }
};

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent), filter_(new Filter(this))
{
    setValidator(filter_);
    setMaxLength(kLongestAnswer);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->before = text;
        fitText();
    });
}

bool AnswerBox::takesPoint() const
{
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    return !rest.contains(QLatin1Char('.'));
}

bool AnswerBox::isAnswerCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

void AnswerBox::showAnswer(const QString& text)
{
    filter_->active = false;
    setText(text);
    filter_->active = true;
}

void AnswerBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) {
        fullFont_ = font();
        centringDue_ = true;
        fitText();
    }
}

void AnswerBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    centringDue_ = true;
    fitText();
}

qreal AnswerBox::textRoom() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.width() - textMargins().left() - textMargins().right() - kLineEditMargins;
}

void AnswerBox::fitText()
{
    if (fitting_ || fullFont_.pointSizeF() <= 0)
        return;
    QFont fitted = fullFont_;
    const qreal room = textRoom();
    const qreal smallest = fullFont_.pointSizeF() * kSmallestShare;
    qreal width = QFontMetricsF(fitted).horizontalAdvance(text());
    while (width > room && fitted.pointSizeF() > smallest) {
        fitted.setPointSizeF(std::max(smallest, fitted.pointSizeF() * std::min(0.98, room / width)));
        width = QFontMetricsF(fitted).horizontalAdvance(text());
    }
    if (fitted == font() && !centringDue_)
        return;
    fitting_ = true;
    setFont(fitted);
    centreDigitsVertically();
    centringDue_ = false;
    fitting_ = false;
}

void AnswerBox::centreDigitsVertically()
{
    setTextMargins(0, 0, 0, 0);
    const QFontMetricsF metrics(font());
    const QRectF digits = metrics.tightBoundingRect(kDigits);
    const int frame = 2;
    const qreal inner = height() - 2 * frame;
    const qreal lineTop = frame + std::floor((inner - metrics.height() + 1) / 2);
    const qreal baselineNow = lineTop + metrics.ascent();
    const qreal baselineWanted = height() / 2.0 - digits.center().y();
    const int shift = static_cast<int>(std::lround(baselineWanted - baselineNow));
    // Centred text moves by half of what the top margin takes away, and the
    // clip keeps the whole box.
    setTextMargins(0, 2 * shift, 0, 0);
}

} // namespace zorvel

// The end-of-test result: its texts, and the list printed as large as the
// free space allows (down to a small size, then the rest cut with "……").
#include "normal_drill/test_result.h"

#include "normal_drill/family_table.h"
#include "design_units/screen_units.h"
#include "questions/number_text.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace zorvel {

namespace {

constexpr qreal kLargestListPt = 10.5;
constexpr qreal kSmallestListPt = 6.75;

QFont listFont(qreal pt) { return designFont(FontFace::Songti, pt); }

} // namespace

// Under the number-type frame (which ends at 7575) and above "返 回" (9480).
const QRect TestResult::kHeadingTwips(120, 7680, 1800, 450);
const QRect TestResult::kListTwips(120, 8160, 1800, 1260);

QString resultHeading(int wrongCount)
{
    return wrongCount == 0 ? QStringLiteral("全对！") : QStringLiteral("错 %1 题").arg(wrongCount);
}

QString resultLine(Operation op, const Question& question)
{
    const OperationInfo& info = operationInfo(op);
    QString line = QString::fromStdString(question.operands[0]);
    for (int i = 1; i < question.operandCount; ++i)
        line += QLatin1Char(' ') + catalogueText(info.operatorCaptions[std::size_t(std::min(i - 1, 1))]) +
                QLatin1Char(' ') + QString::fromStdString(question.operands[std::size_t(i)]);
    return mathText(line + QStringLiteral(" = ") + QString::fromStdString(shortestText(question.correctAnswer)));
}

TestResult::TestResult(QWidget* window, TwipsLayout& layout)
    : layout_(layout), heading_(new QLabel(window)), list_(new QLabel(window))
{
    heading_->setObjectName(QStringLiteral("TestResult"));
    list_->setObjectName(QStringLiteral("TestResultList"));
    heading_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = heading_->palette();
    red.setColor(QPalette::WindowText, colorFromBgr(0x0000FF));
    heading_->setPalette(red);
    layout_.setFont(heading_, designFont(FontFace::Heiti, 15.75, true));
    layout_.setFont(list_, listFont(kLargestListPt));
    layout_.place(heading_, kHeadingTwips);
    layout_.place(list_, kListTwips);
    hide();
}

void TestResult::show(Operation op, const std::vector<Question>& wrong)
{
    heading_->setText(resultHeading(int(wrong.size())));
    lines_.clear();
    for (const Question& question : wrong)
        lines_.append(resultLine(op, question));
    heading_->show();
    list_->setVisible(!lines_.isEmpty());
    fit();
}

void TestResult::hide()
{
    heading_->hide();
    list_->hide();
    lines_.clear();
}

bool TestResult::isShown() const { return heading_->isVisibleTo(heading_->parentWidget()); }

void TestResult::fit()
{
    if (lines_.isEmpty())
        return;
    const QSizeF room = list_->size();
    qreal pt = kLargestListPt;
    QStringList shown = lines_;
    for (;; pt -= 0.75) {
        const QFontMetricsF metrics(scaledFont(listFont(pt), layout_.scale()));
        const int fitting = std::max(1, int(room.height() / metrics.lineSpacing()));
        shown = lines_;
        if (shown.size() > fitting) {
            shown = shown.mid(0, fitting - 1);
            shown.append(QStringLiteral("……"));
        }
        qreal widest = 0;
        for (const QString& line : shown)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const bool whole = shown.size() == lines_.size();
        if ((widest <= room.width() && whole) || pt - 0.75 < kSmallestListPt)
            break;
    }
    layout_.setFont(list_, listFont(pt));
    list_->setText(shown.join(QLatin1Char('\n')));
}

} // namespace zorvel

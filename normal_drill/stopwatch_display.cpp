// The stopwatch labels, Timer1 and the repaint timed to the next change.
#include "normal_drill/stopwatch_display.h"

#include "normal_drill/column_label.h"
#include "normal_drill/drill_services.h"
#include "design_units/screen_units.h"
#include "normal_drill/twips_layout.h"

#include <QTimer>

namespace zorvel {

StopwatchDisplay::StopwatchDisplay(QWidget* window, TwipsLayout& layout, int top, const QString& minutesCaption,
                                   std::shared_ptr<const MonotonicClock> clock)
    : QObject(window), clock_(std::move(clock))
{
    struct Part { const char* name; const char* caption; int left; int width; bool digits; };
    const Part parts[5] = {
        {"Label5", nullptr, 10680, 1275, true},
        {"Label6", ":", 11955, 225, false},
        {"Label2", "00", 12180, 1275, true},
        {"Label10", ".", 13455, 225, false},
        {"Label11", "00", 13680, 1275, true},
    };
    for (int i = 0; i < 5; ++i) {
        const Part& part = parts[i];
        auto* label = new ColumnLabel(part.caption ? QString::fromUtf8(part.caption) : minutesCaption, window);
        label->setObjectName(QString::fromUtf8(part.name));
        label->setAlignment(i == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
        layout.setFont(label, designFont(FontFace::Heiti, part.digits ? 60 : 42, true));
        layout.place(label, QRect(part.left, top + (part.digits ? 0 : 360), part.width, part.digits ? 1200 : 840));
        labels_[i] = label;
    }
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(7);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &StopwatchDisplay::tick);
    changeRepaint_ = new QTimer(this);
    changeRepaint_->setSingleShot(true);
    changeRepaint_->setTimerType(Qt::PreciseTimer);
    connect(changeRepaint_, &QTimer::timeout, this, &StopwatchDisplay::tick);
}

void StopwatchDisplay::startIfIdle()
{
    if (stopwatch_.isStarted())
        return;
    stopwatch_.start(clock_->nowMs());
    timer_->start();
}

void StopwatchDisplay::stop()
{
    timer_->stop();
    changeRepaint_->stop();
}

void StopwatchDisplay::zero()
{
    stopwatch_.reset();
    showReading(StopwatchReading{});
}

void StopwatchDisplay::setVisible(bool visible)
{
    for (QLabel* label : labels_)
        label->setVisible(visible);
}

QString StopwatchDisplay::shownText() const
{
    return labels_[0]->text() + labels_[1]->text() + labels_[2]->text() + labels_[3]->text() + labels_[4]->text();
}

void StopwatchDisplay::tick()
{
    emit ticked(stopwatch_.elapsedMs(clock_->nowMs()));
}

void StopwatchDisplay::showReading(const StopwatchReading& reading)
{
    labels_[0]->setText(reading.minutesText());
    labels_[2]->setText(reading.secondsText());
    labels_[4]->setText(reading.hundredthsText());
}

void StopwatchDisplay::show(qint64 elapsedMs)
{
    showReading(readingFor(elapsedMs));
    const qint64 untilChange = msUntilNextReadingChange(elapsedMs);
    if (timer_->isActive() && labels_[4]->isVisible() && untilChange < timer_->interval())
        changeRepaint_->start(int(untilChange));
}

} // namespace zorvel

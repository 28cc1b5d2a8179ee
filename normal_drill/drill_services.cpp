// The drill services that need no engine: the steady clock, the local time,
// clock-seeded random sources and a real message box.
#include "normal_drill/drill_services.h"

#include <QElapsedTimer>
#include <QMessageBox>

namespace zorvel {

namespace {

class ElapsedTimerClock final : public MonotonicClock {
public:
    ElapsedTimerClock() { timer_.start(); }
    qint64 nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

void showPlainMessage(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

std::shared_ptr<const MonotonicClock> steadyClock()
{
    static const auto clock = std::make_shared<ElapsedTimerClock>();
    return clock;
}

DrillServices defaultDrillServices()
{
    DrillServices services;
    services.clock = steadyClock();
    services.timeOfDay = [] { return QDateTime::currentDateTime(); };
    services.randomSource = [] { return std::make_unique<SeededRandom>(); };
    services.showMessage = showPlainMessage;
    return services;
}

} // namespace zorvel

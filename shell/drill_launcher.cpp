// Creates the drill window of a form name with the program's services.
#include "shell/drill_launcher.h"

#include "fluency_drill/fluency_chooser.h"
#include "fluency_drill/fluency_window.h"
#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "shell/program_services.h"

namespace zorvel {

namespace {

// The chooser of 达标测试; each test it starts runs in its own window over it.
std::unique_ptr<QDialog> fluencyChooser(const DrillServices& services, fluency::History* history)
{
    auto start = [services, history](const fluency::FluencyTest& test, QWidget* chooser) {
        std::unique_ptr<FluencyDrillWindow> window = createFluencyDrillWindow(test, services, history);
        execModallyAbove(*window, chooser);
    };
    return std::make_unique<FluencyChooser>(history, start, FluencyChooser::TestAction());
}

} // namespace

DrillWindowFactory drillWindowFactory(RecorderSource recorder)
{
    auto history = std::make_shared<fluency::MemoryHistory>();
    return [recorder, history](const QString& formName) -> std::unique_ptr<QDialog> {
        const DrillServices services = programDrillServices(recorder ? recorder() : nullptr);
        if (formName == QLatin1String("frmFluency"))
            return fluencyChooser(services, history.get());
        if (auto normal = createNormalDrillWindow(formName, services))
            return normal;
        return createListeningDrillWindow(formName, services);
    };
}

} // namespace zorvel

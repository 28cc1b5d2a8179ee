// Creates the drill window of a form name with the program's services.
#include "shell/drill_launcher.h"

#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "shell/program_services.h"

namespace zorvel {

DrillWindowFactory drillWindowFactory(RecorderSource recorder)
{
    return [recorder](const QString& formName) -> std::unique_ptr<QDialog> {
        const DrillServices services = programDrillServices(recorder ? recorder() : nullptr);
        if (auto normal = createNormalDrillWindow(formName, services))
            return normal;
        return createListeningDrillWindow(formName, services);
    };
}

} // namespace zorvel

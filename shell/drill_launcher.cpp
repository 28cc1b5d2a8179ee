// Creates the drill window of a form name with the program's services.
#include "shell/drill_launcher.h"

#include "normal_drill/drill_services.h"
#include "normal_drill/normal_window.h"
#ifdef ZORVEL_HAVE_LISTENING_DRILL
#include "listening_drill/listening_window.h"
#endif

namespace zorvel {

DrillWindowFactory drillWindowFactory()
{
    return [](const QString& formName) -> std::unique_ptr<QDialog> {
        const DrillServices services = defaultDrillServices();
        if (auto normal = createNormalDrillWindow(formName, services))
            return normal;
#ifdef ZORVEL_HAVE_LISTENING_DRILL
        return createListeningDrillWindow(formName, services);
#else
        return nullptr;
#endif
    };
}

} // namespace zorvel

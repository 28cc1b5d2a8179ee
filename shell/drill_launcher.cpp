// Creates the drill window of a form name with the program's services.
#include "shell/drill_launcher.h"

#ifdef ZORVEL_HAVE_NORMAL_DRILL
#include "normal_drill/drill_services.h"
#include "normal_drill/normal_window.h"
#endif
#ifdef ZORVEL_HAVE_LISTENING_DRILL
#include "listening_drill/listening_window.h"
#endif

namespace zorvel {

DrillWindowFactory drillWindowFactory()
{
    return [](const QString& formName) -> std::unique_ptr<QDialog> {
#ifdef ZORVEL_HAVE_NORMAL_DRILL
        if (formName.startsWith(QLatin1String("Form8")))
            return createNormalDrillWindow(formName, defaultDrillServices());
#endif
#ifdef ZORVEL_HAVE_LISTENING_DRILL
        if (formName.startsWith(QLatin1String("Form9")))
            return createListeningDrillWindow(formName, defaultDrillServices());
#endif
        Q_UNUSED(formName);
        return nullptr;
    };
}

} // namespace zorvel

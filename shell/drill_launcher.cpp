// Creates the drill window of a form name with the program's services; the
// daily practice window with the pupil's facts.
#include "shell/drill_launcher.h"

#include "daily_practice/daily_window.h"
#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "shell/program_services.h"

namespace zorvel {

DrillWindowFactory drillWindowFactory(RecorderSource recorder, FactStoreSource facts)
{
    return [recorder, facts](const QString& formName) -> std::unique_ptr<QDialog> {
        if (practiceRow(formName)) {
            // The daily practice keeps its answers in the fact store, not as tests.
            facts::FactStore* store = facts ? facts() : nullptr;
            if (!store)
                return nullptr;
            return createDailyPracticeWindow(programDrillServices(nullptr), *store, [] { return QDate::currentDate(); });
        }
        const DrillServices services = programDrillServices(recorder ? recorder() : nullptr);
        if (auto normal = createNormalDrillWindow(formName, services))
            return normal;
        return createListeningDrillWindow(formName, services);
    };
}

} // namespace zorvel

// Creates the drill window of a form name with the program's services; the
// daily practice window with the pupil's facts.
#include "shell/drill_launcher.h"

#include "daily_practice/daily_window.h"
#include "fluency/fluency_sheet.h"
#include "fluency_drill/fluency_chooser.h"
#include "fluency_drill/fluency_window.h"
#include "listening_drill/listening_window.h"
#include "normal_drill/normal_window.h"
#include "records_window/records_module.h"
#include "shell/fluency_history.h"
#include "shell/module_loader.h"
#include "shell/program_services.h"

#include <QMessageBox>
#include <QRandomGenerator>

namespace zorvel {

namespace {

// "打印本卷": the test's worksheet with its answer pages in the print preview
// of the records window's module.
void printFluencyTest(const fluency::FluencyTest& test, QWidget* parent)
{
    const auto preview = reinterpret_cast<records::PreviewWorksheetFunction>(
        moduleFunction(QString::fromLatin1(records::kRecordsModule), records::kPreviewWorksheetFunction));
    if (!preview) {
        QMessageBox::warning(parent, QStringLiteral("打印本卷"),
                             QStringLiteral("打印打不开：程序缺少文件（%1）。请重新安装 Zorvel。")
                                 .arg(QString::fromLatin1(records::kRecordsModule)));
        return;
    }
    preview(parent, fluency::fluencyWorksheet(test, QRandomGenerator::global()->generate64()));
}

// The chooser of 达标测试; each test it starts runs in its own window over it.
std::unique_ptr<QDialog> fluencyChooser(const DrillServices& services, fluency::History* history)
{
    auto start = [services, history](const fluency::FluencyTest& test, QWidget* chooser) {
        std::unique_ptr<FluencyDrillWindow> window = createFluencyDrillWindow(test, services, history);
        execModallyAbove(*window, chooser);
    };
    return std::make_unique<FluencyChooser>(history, start, printFluencyTest);
}

} // namespace

DrillWindowFactory drillWindowFactory(RecorderSource recorder, FactStoreSource facts)
{
    auto history = std::make_shared<RecordFluencyHistory>(recorder);
    return [recorder, facts, history](const QString& formName) -> std::unique_ptr<QDialog> {
        if (practiceRow(formName)) {
            // The daily practice keeps its answers in the fact store, and its
            // sessions as tests.
            facts::FactStore* store = facts ? facts() : nullptr;
            if (!store)
                return nullptr;
            return createDailyPracticeWindow(programDrillServices(recorder ? recorder() : nullptr), *store,
                                             [] { return QDate::currentDate(); });
        }
        const DrillServices services = programDrillServices(recorder ? recorder() : nullptr);
        if (formName == QLatin1String("frmFluency"))
            return fluencyChooser(services, history.get());
        if (auto normal = createNormalDrillWindow(formName, services))
            return normal;
        return createListeningDrillWindow(formName, services);
    };
}

} // namespace zorvel

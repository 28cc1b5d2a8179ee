// Runs the start-up steps of form1 in order.
#include "shell/startup.h"

#include "normal_drill/family_table.h"
#include "shell/menu_table.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <utility>

namespace zorvel {
namespace {

// Watches a window for its first paint, then runs the action once the paint
// is done and goes away.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::function<void()> action)
        : QObject(&window), action_(std::move(action))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                action_();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> action_;
};

} // namespace

void afterFirstPaint(QWidget& window, std::function<void()> action)
{
    new FirstPaintWatch(window, std::move(action));
}

void installQtTranslations()
{
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

std::unique_ptr<MainMenu> startMainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages,
                                        SingleInstance& instance)
{
    installQtTranslations();
    auto menu = std::make_unique<MainMenu>(std::move(createDrillWindow), std::move(helpPages));
    menu->setSlogans();
    if (!instance.tryAcquire())
        return nullptr;
    menu->openHomePage();
    menu->setWindowTitle(programWindowTitle());
    menu->setButtonColours();
    menu->show();
    QObject::connect(menu.get(), &MainMenu::quitRequested, menu.get(), [] { QCoreApplication::exit(0); });
    return menu;
}

} // namespace zorvel

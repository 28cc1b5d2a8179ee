// Runs the start-up steps of form1 in order.
#include "shell/startup.h"

#include "normal_drill/family_table.h"
#include "shell/menu_table.h"

#include <QCoreApplication>

#include <utility>

namespace zorvel {

std::unique_ptr<MainMenu> startMainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages,
                                        SingleInstance& instance)
{
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

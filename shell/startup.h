// The start-up sequence of the menu, in its fixed order: slogans, the
// single-instance rule, the home page, title, button colours, show.
#pragma once

#include "shell/main_menu.h"
#include "shell/single_instance.h"

#include <memory>

namespace zorvel {

// The shown menu, whose "退  出" ends the application's event loop; or
// nullptr when another copy is running (nothing shown, the browser not
// asked).
std::unique_ptr<MainMenu> startMainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages,
                                        SingleInstance& instance);

} // namespace zorvel

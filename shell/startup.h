// The start-up sequence of the menu, in its fixed order: slogans, the
// single-instance rule, the home page, title, button colours, show; and Qt's
// own texts in Chinese.
#pragma once

#include "shell/main_menu.h"
#include "shell/single_instance.h"

#include <functional>
#include <memory>

namespace zorvel {

// Loads Qt's own Chinese texts (the buttons of message boxes, the answer
// box's context menu) when Qt's translations are installed; without them
// those texts stay in English and everything else works as before.
void installQtTranslations();

// The shown menu, whose "退  出" ends the application's event loop; or
// nullptr when another copy is running (nothing shown, the browser not
// asked).
std::unique_ptr<MainMenu> startMainMenu(DrillWindowFactory createDrillWindow, HelpPages helpPages,
                                        SingleInstance& instance);

// Runs `action` once, from the event loop, right after `window` is first
// painted: for work the pupil need not wait for to see the window.
void afterFirstPaint(QWidget& window, std::function<void()> action);

} // namespace zorvel

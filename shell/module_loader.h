// The program's loadable modules: the speech engine and the records window,
// loaded the first time they are needed so that start-up links little more
// than Qt Widgets. A module is looked for next to the program (the build
// tree) and then in the private library folder of the installation
// (<libdir>/zorvel, found from the program's own folder). Loaded modules stay
// loaded until the process ends.
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace zorvel {

// The function `symbol` of the module `name` ("zorvel-speech"), loading the
// module on the first call; nullptr when the module is missing or does not
// load (said once on the log), or lacks the function.
QFunctionPointer moduleFunction(const QString& name, const char* symbol);

} // namespace zorvel

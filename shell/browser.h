// Asking the desktop's browser to open an address, without waiting.
#pragma once

#include <QUrl>

#include <functional>

namespace zorvel {

// Told, on the interface thread, whether a browser took the address.
using BrowserOutcome = std::function<void(bool opened)>;
// Opens an address in the browser and returns at once; the outcome, when
// asked for, is reported once it is known.
using BrowserOpener = std::function<void(const QUrl&, const BrowserOutcome&)>;

BrowserOpener desktopBrowser();

} // namespace zorvel

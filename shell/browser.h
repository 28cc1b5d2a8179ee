// Asking the desktop's browser to open an address, without waiting.
#pragma once

#include <QUrl>

#include <functional>

namespace zorvel {

// Opens an address in the browser; returns at once, and its outcome is not
// reported.
using BrowserOpener = std::function<void(const QUrl&)>;

BrowserOpener desktopBrowser();

} // namespace zorvel

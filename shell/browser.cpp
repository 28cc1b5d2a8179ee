// The desktop's browser behind QDesktopServices; failures are ignored.
#include "shell/browser.h"

#include <QDesktopServices>

namespace zorvel {

BrowserOpener desktopBrowser()
{
    return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

} // namespace zorvel

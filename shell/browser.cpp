// The desktop's browser: xdg-open started directly, else QDesktopServices;
// failures are ignored.
#include "shell/browser.h"

#include "platform/detached_program.h"

#include <QDesktopServices>

namespace zorvel {

BrowserOpener desktopBrowser()
{
    // QDesktopServices would run the same xdg-open through a fork of the
    // whole program, which costs milliseconds of the start-up while the menu
    // waits; it remains for desktops without xdg-open (or with a portal).
    return [](const QUrl& url) {
        if (!startDetachedProgram(QByteArrayLiteral("xdg-open"), {url.toEncoded()}))
            QDesktopServices::openUrl(url);
    };
}

} // namespace zorvel

// The desktop's browser: xdg-open started directly, else QDesktopServices.
// Nothing it says reaches the terminal; whether it opened the page is
// reported back to the interface thread.
#include "shell/browser.h"

#include "platform/detached_program.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace zorvel {

BrowserOpener desktopBrowser()
{
    // QDesktopServices would run the same xdg-open through a fork of the
    // whole program, which costs milliseconds of the start-up while the menu
    // waits; it remains for desktops without xdg-open (or with a portal).
    return [](const QUrl& url, const BrowserOutcome& outcome) {
        auto report = [outcome](bool opened) {
            QCoreApplication* application = QCoreApplication::instance();
            if (outcome && application)
                QMetaObject::invokeMethod(application, [outcome, opened] { outcome(opened); }, Qt::QueuedConnection);
        };
        if (!startDetachedProgram(QByteArrayLiteral("xdg-open"), {url.toEncoded()}, report))
            report(QDesktopServices::openUrl(url));
    };
}

} // namespace zorvel

// The home page and the product page: help pages compiled into the resources,
// copied out to a per-user folder and shown in the browser. No network.
#pragma once

#include "shell/browser.h"

#include <QString>
#include <QUrl>

namespace zorvel {

// Copies every file under the resource folder ":/help" into targetDir (made
// private; refused when it is a link or another user's) and returns the file
// address of pageName there; an empty address on failure. Links planted in
// the folder are replaced, never followed.
QUrl extractHelpPage(const QString& pageName, const QString& targetDir);

class HelpPages {
public:
    HelpPages(BrowserOpener openBrowser, QString targetDir);

    void openHomePage() const;
    void openProductPage() const;

private:
    void open(const QString& pageName) const;

    BrowserOpener openBrowser_;
    QString targetDir_;
};

} // namespace zorvel

// The home page and the product page: help pages compiled into the resources,
// copied out to a per-user folder and shown in the browser. No network.
#pragma once

#include "shell/browser.h"

#include <QString>
#include <QUrl>

#include <functional>

namespace zorvel {

// Copies every file under the resource folder ":/help" into targetDir (made
// private; refused when it is a link or another user's) and returns the file
// address of pageName there; an empty address on failure. Links planted in
// the folder are replaced, never followed.
QUrl extractHelpPage(const QString& pageName, const QString& targetDir);

// Told that no browser showed a page: the page's file path, or an empty
// path when the page could not even be copied out.
using PageNotOpened = std::function<void(const QString& pagePath)>;

class HelpPages {
public:
    HelpPages(BrowserOpener openBrowser, QString targetDir);

    // Without notOpened a failure passes in silence, as at start.
    void openHomePage(PageNotOpened notOpened = {}) const;
    void openProductPage(PageNotOpened notOpened = {}) const;

private:
    void open(const QString& pageName, const PageNotOpened& notOpened) const;

    BrowserOpener openBrowser_;
    QString targetDir_;
};

} // namespace zorvel

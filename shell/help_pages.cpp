// Copies the help pages out of the resources and opens them in the browser.
#include "shell/help_pages.h"

#include "platform/private_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <utility>

namespace zorvel {

namespace {

const QString helpRoot = QStringLiteral(":/help");

// Nothing already in the folder is followed: a page is read only when it is a
// regular file, and replaced, not written through, when it differs.
bool copyIfChanged(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (readRegularFile(target) == content)
        return true;
    return replaceFile(target, content);
}

// Makes every folder from `root` down to `relativeFolder` private, refusing
// links and other users' folders on the way.
bool makePrivateFolders(const QString& root, const QString& relativeFolder)
{
    if (!makePrivateFolder(root))
        return false;
    QString path = root;
    for (const QString& part : relativeFolder.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        if (!makePrivateFolder(path))
            return false;
    }
    return true;
}

} // namespace

QUrl extractHelpPage(const QString& pageName, const QString& targetDir)
{
    if (targetDir.isEmpty() || !QFile::exists(helpRoot + u'/' + pageName))
        return {};
    const QDir target(targetDir);
    QDirIterator it(helpRoot, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = source.mid(helpRoot.size() + 1);
        const QString folder = relative.contains(u'/') ? relative.left(relative.lastIndexOf(u'/')) : QString();
        if (!makePrivateFolders(targetDir, folder) || !copyIfChanged(source, target.filePath(relative)))
            return {};
    }
    return QUrl::fromLocalFile(target.filePath(pageName));
}

HelpPages::HelpPages(BrowserOpener openBrowser, QString targetDir)
    : openBrowser_(std::move(openBrowser)), targetDir_(std::move(targetDir))
{
}

void HelpPages::openHomePage(PageNotOpened notOpened) const
{
    open(QStringLiteral("index.html"), notOpened);
}

void HelpPages::openProductPage(PageNotOpened notOpened) const
{
    open(QStringLiteral("product.html"), notOpened);
}

void HelpPages::open(const QString& pageName, const PageNotOpened& notOpened) const
{
    const QUrl page = extractHelpPage(pageName, targetDir_);
    if (!page.isValid() || !openBrowser_) {
        if (notOpened)
            notOpened(page.isValid() ? page.toLocalFile() : QString());
        return;
    }
    BrowserOutcome outcome;
    if (notOpened) {
        outcome = [notOpened, path = page.toLocalFile()](bool opened) {
            if (!opened)
                notOpened(path);
        };
    }
    openBrowser_(page, outcome);
}

} // namespace zorvel

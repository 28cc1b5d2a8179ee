// Copies the help pages out of the resources and opens them in the browser.
#include "shell/help_pages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSaveFile>

#include <utility>

namespace zorvel {

namespace {

const QString helpRoot = QStringLiteral(":/help");

bool copyIfChanged(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    QFile existing(target);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    existing.close();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(content);
    return out.commit();
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
        const QString destination = target.filePath(relative);
        if (!QDir().mkpath(QFileInfo(destination).absolutePath()) || !copyIfChanged(source, destination))
            return {};
    }
    return QUrl::fromLocalFile(target.filePath(pageName));
}

HelpPages::HelpPages(BrowserOpener openBrowser, QString targetDir)
    : openBrowser_(std::move(openBrowser)), targetDir_(std::move(targetDir))
{
}

void HelpPages::openHomePage() const
{
    open(QStringLiteral("index.html"));
}

void HelpPages::openProductPage() const
{
    open(QStringLiteral("product.html"));
}

void HelpPages::open(const QString& pageName) const
{
    const QUrl page = extractHelpPage(pageName, targetDir_);
    if (page.isValid() && openBrowser_)
        openBrowser_(page);
}

} // namespace zorvel

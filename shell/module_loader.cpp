// Finds, loads and remembers the program's modules.
#include "shell/module_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QLibrary>
#include <QLoggingCategory>

#include <memory>

Q_LOGGING_CATEGORY(lcModules, "zorvel.modules", QtWarningMsg)

namespace zorvel {
namespace {

QStringList moduleFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {programFolder.path(), QDir::cleanPath(programFolder.filePath(QStringLiteral(ZORVEL_MODULE_DIR_FROM_BIN)))};
}

// The loaded module, or nullptr when it could not be loaded.
std::unique_ptr<QLibrary> loadModule(const QString& name)
{
    QElapsedTimer clock;
    clock.start();
    QStringList errors;
    for (const QString& folder : moduleFolders()) {
        auto library = std::make_unique<QLibrary>(QDir(folder).filePath(name));
        if (library->load()) {
            qCDebug(lcModules, "loaded %s in %lld ms", qPrintable(library->fileName()),
                    static_cast<long long>(clock.elapsed()));
            return library;
        }
        errors << library->errorString();
    }
    qCWarning(lcModules, "module %s not loaded: %s", qPrintable(name), qPrintable(errors.join(QStringLiteral("; "))));
    return nullptr;
}

} // namespace

QFunctionPointer moduleFunction(const QString& name, const char* symbol)
{
    // One attempt per module and process: a missing module is not looked for
    // again at every window.
    static QHash<QString, std::shared_ptr<QLibrary>> modules;
    auto found = modules.find(name);
    if (found == modules.end())
        found = modules.insert(name, std::shared_ptr<QLibrary>(loadModule(name)));
    return *found ? (*found)->resolve(symbol) : nullptr;
}

} // namespace zorvel

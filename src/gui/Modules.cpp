#include "Modules.h"

#include "Downloader.h"
#include "WindowPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <stdexcept>

namespace pelmora {

const char* const ModulesFromProgram = PELMORA_MODULES_FROM_PROGRAM;

ModuleFunctionPointer ModuleFunction(const QString& programFolder, const char* module,
                                     const char* function) {
    const QString file = QString::fromLatin1(module) + QStringLiteral(".so");
    QString path = programFolder + QLatin1Char('/') + file;
    if (!QFileInfo::exists(path))
        path = QDir::cleanPath(programFolder + QLatin1Char('/') +
                               QLatin1String(ModulesFromProgram) + QLatin1Char('/') + file);
    // Left loaded: the objects it made live on in the program.
    QLibrary library(path);
    if (!library.load())
        throw std::runtime_error("The program's module " + file.toStdString() +
                                 " cannot be loaded: " + library.errorString().toStdString());
    if (QFunctionPointer found = library.resolve(function))
        return found;
    throw std::runtime_error("The program's module " + file.toStdString() + " lacks " + function);
}

template <class Object> std::unique_ptr<Object> MadeByModule(const char* module, const char* make) {
    const auto made = reinterpret_cast<Object* (*)()>(
        ModuleFunction(QCoreApplication::applicationDirPath(), module, make));
    return std::unique_ptr<Object>(made());
}

template std::unique_ptr<WindowPrinter> MadeByModule(const char*, const char*);
template std::unique_ptr<Downloader> MadeByModule(const char*, const char*);

} // namespace pelmora

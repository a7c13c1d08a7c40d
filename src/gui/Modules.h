#pragma once

#include <QString>
#include <memory>

namespace pelmora {

// Qt Print Support and Qt Network, with the libraries they bring in (Kerberos,
// the proxy resolver), cost the window's start 2 ms and 1.7 MB of memory when
// linked to it. The printer and the download are therefore modules of their own,
// loaded at their first use: from the program's folder in a build or a portable
// copy, else from where the package installs them, ModulesFromProgram away.
extern const char* const ModulesFromProgram;

using ModuleFunctionPointer = void (*)();

// The address of the function in the module that the program in programFolder
// would load; throws std::runtime_error naming the module and the reason when it
// cannot be loaded or lacks the function.
ModuleFunctionPointer ModuleFunction(const QString& programFolder, const char* module,
                                     const char* function);

// A new object from the module's function of that name, which takes nothing and
// returns the object, the caller's to own.
template <class Object> std::unique_ptr<Object> MadeByModule(const char* module, const char* make);

} // namespace pelmora

#include "RunGuarded.h"

#include "catalogue/TableSource.h"
#include "platform/MessageBoxes.h"

#include <exception>

namespace pelmora {

void RunGuarded(MessageBoxes& messages, const std::function<void()>& handler) {
    // An action sees one version of every table, whatever changes on disk meanwhile.
    const TableScope tables;
    try {
        handler();
    } catch (const std::exception& error) {
        messages.Error(error.what());
    }
}

} // namespace pelmora

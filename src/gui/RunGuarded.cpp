#include "RunGuarded.h"

#include "platform/MessageBoxes.h"

#include <exception>

namespace pelmora {

void RunGuarded(MessageBoxes& messages, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        messages.Error(error.what());
    }
}

} // namespace pelmora

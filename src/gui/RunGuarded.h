#pragma once

#include <functional>

namespace pelmora {

class MessageBoxes;

// Runs one handler of a form. A failure the handler did not expect is shown in a
// message box, and the program carries on.
void RunGuarded(MessageBoxes& messages, const std::function<void()>& handler);

} // namespace pelmora

#pragma once

namespace pelmora {

// The hourglass cursor over the whole program while a long operation runs.
class BusyCursor {
public:
    virtual ~BusyCursor() = default;

    virtual void Show(bool busy) = 0;
};

} // namespace pelmora

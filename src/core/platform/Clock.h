#pragma once

#include "platform/Date.h"

namespace pelmora {

class Clock {
public:
    virtual ~Clock() = default;

    virtual Date Today() = 0;
};

} // namespace pelmora

#pragma once

#include "platform/Clock.h"

namespace pelmora {

class QtClock : public Clock {
public:
    Date Today() override;
};

} // namespace pelmora

#pragma once

#include "platform/BusyCursor.h"

namespace pelmora {

class QtBusyCursor : public BusyCursor {
public:
    void Show(bool busy) override;
};

} // namespace pelmora

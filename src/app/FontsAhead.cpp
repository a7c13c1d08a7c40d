#include "FontsAhead.h"

#include <fontconfig/fontconfig.h>

FontsAhead::FontsAhead() : reading_([] { FcInit(); }) {}

void FontsAhead::Wait() {
    if (reading_.joinable())
        reading_.join();
}

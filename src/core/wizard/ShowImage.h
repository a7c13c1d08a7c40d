#pragma once

#include "Controls.h"

#include <string>

namespace pelmora {

struct AppState;

// What a picture control shows for a picture file named in the catalogue: the file
// stretched to the control, or "NA.gif" in its place (stretched only where the
// control stretches its content), or nothing when both are missing or the
// wizard shows no pictures.
PictureState ShowImage(const AppState& app, const std::string& file, bool controlStretches);

} // namespace pelmora

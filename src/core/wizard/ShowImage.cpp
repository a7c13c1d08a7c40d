#include "ShowImage.h"

#include "catalogue/AppState.h"

namespace pelmora {

PictureState ShowImage(const AppState& app, const std::string& file, bool controlStretches) {
    if (!app.ShowsPictures)
        return {};
    if (const auto shown = app.PictureFile(file))
        return {*shown, true};
    if (const auto missing = app.PictureFile("NA.gif"))
        return {*missing, controlStretches};
    return {};
}

} // namespace pelmora

#include "ShowImage.h"

#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"

namespace pelmora {

PictureState ShowImage(const AppState& app, const std::string& file, bool controlStretches) {
    if (!app.ShowsPictures)
        return {};
    if (const auto shown = FileInFolder(app.ImagesDir, file))
        return {*shown, true};
    if (const auto missing = FileInFolder(app.ImagesDir, "NA.gif"))
        return {*missing, controlStretches};
    return {};
}

} // namespace pelmora

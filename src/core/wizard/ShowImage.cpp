#include "ShowImage.h"

#include "catalogue/AppState.h"
#include "catalogue/FileSystem.h"

namespace pelmora {

PictureState ShowImage(const AppState& app, const std::string& file, bool controlStretches) {
    if (!file.empty() && FileExists(app.ImagesDir + file))
        return {ResolvePath(app.ImagesDir + file), true};
    if (FileExists(app.ImagesDir + "NA.gif"))
        return {ResolvePath(app.ImagesDir + "NA.gif"), controlStretches};
    return {};
}

} // namespace pelmora

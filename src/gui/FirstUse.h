#pragma once

#include <QFont>
#include <string>
#include <vector>

// Qt pays for some things the first time they are drawn: a picture file is decoded
// (later draws take it from Qt's picture cache) and each letter of a font is
// rendered (later draws take it from the font's glyph cache). Paid while the window
// waits for the user, they do not slow the user's first action.
namespace pelmora {

void ReadPicturesAhead(const std::vector<std::string>& files);
// Every character the catalogue's Windows-1252 text can hold, in the font.
void RenderGlyphsAhead(const QFont& font);

} // namespace pelmora

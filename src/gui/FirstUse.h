#pragma once

#include <QFont>

namespace pelmora {

// Qt renders each letter of a font the first time it is drawn, once for each of
// the quarter-pixel positions text lands on; later draws take it from the font's
// glyph cache. Rendered while the window waits for the user, every character the
// catalogue's Windows-1252 text can hold costs nothing at the user's first action.
void RenderGlyphsAhead(const QFont& font);

} // namespace pelmora

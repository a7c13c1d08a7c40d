#pragma once

#include <QFont>

namespace pelmora {

// Qt renders each letter of a font the first time it is drawn, once for each of
// the quarter-pixel positions text lands on; later draws take it from the font's
// glyph cache. Rendered while the window waits for the user, the printable ASCII
// characters (nearly all of a catalogue's text) cost nothing at its first action.
void RenderGlyphsAhead(const QFont& font);

} // namespace pelmora

#pragma once

#include <QByteArray>
#include <string>

namespace pelmora {

struct AppState;
struct SpecHeader;
class TTxtTable;

// The specification sheet of a part as a PDF: the printed sheet's drawing, on a
// letter page rendered off screen. Safe to call from several threads at once.
QByteArray SpecificationSheetPdf(const std::string& imagesDir, const SpecHeader& header,
                                 const TTxtTable& rows);

} // namespace pelmora

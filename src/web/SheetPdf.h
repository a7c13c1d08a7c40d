#pragma once

#include <QByteArray>
#include <string>

namespace pelmora {

struct AppState;
struct SpecHeader;
class TTxtTable;

// The specification sheet of a part as a PDF: the printed sheet's drawing, on a
// letter page rendered off screen, the document titled (UTF-8) as given. Safe to
// call from several threads at once.
QByteArray SpecificationSheetPdf(const std::string& imagesDir, const SpecHeader& header,
                                 const TTxtTable& rows, const std::string& title);
// The order as the order form prints it, "Page n of total" under each page.
QByteArray PrintedOrderPdf(const TTxtTable& lines);

} // namespace pelmora

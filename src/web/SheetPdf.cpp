#include "SheetPdf.h"

#include "QtCanvas.h"
#include "print/PelmoraPrint.h"
#include "print/PrintedPages.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <mutex>

namespace pelmora {

QByteArray SpecificationSheetPdf(const std::string& imagesDir, const SpecHeader& header,
                                 const TTxtTable& rows) {
    // Fonts and the painter's PDF engine are shared by the process: one sheet at a
    // time, each a few milliseconds.
    static std::mutex drawing;
    const std::lock_guard lock(drawing);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Pelmora Specs"));
    writer.setCreator(QStringLiteral("Pelmora 38"));
    QPainter painter(&writer);
    QtCanvas canvas(painter, [&writer] { writer.newPage(); });
    const int width = writer.pageLayout().paintRectPixels(writer.resolution()).width();
    TPelmoraPrint print(canvas, static_cast<double>(width) / TPelmoraPrint::PageWidthUnits);
    DrawSpecSheet(print, imagesDir, header, rows);
    painter.end();
    return bytes;
}

} // namespace pelmora

#include "SheetPdf.h"

#include "QtCanvas.h"
#include "print/PelmoraPrint.h"
#include "print/PrintedPages.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <mutex>

namespace pelmora {

namespace {

constexpr int Resolution = 300;

// Fonts and the painter's PDF engine are shared by the process: one document at a
// time, each a few milliseconds.
std::mutex drawing;

// A letter page, drawn by draw with the print scaled to the page and the page's
// pixel size.
QByteArray Pdf(const std::string& title, const std::function<void(TPelmoraPrint&, QSize)>& draw) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setResolution(Resolution);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("Pelmora 38"));
    QPainter painter(&writer);
    QtCanvas canvas(painter, [&writer] { writer.newPage(); });
    const QSize page = writer.pageLayout().paintRectPixels(writer.resolution()).size();
    TPelmoraPrint print(canvas, static_cast<double>(page.width()) / TPelmoraPrint::PageWidthUnits);
    draw(print, page);
    painter.end();
    return bytes;
}

} // namespace

QByteArray SpecificationSheetPdf(const std::string& imagesDir, const SpecHeader& header,
                                 const TTxtTable& rows, const std::string& title) {
    const std::lock_guard lock(drawing);
    return Pdf(title,
               [&](TPelmoraPrint& print, QSize) { DrawSpecSheet(print, imagesDir, header, rows); });
}

QByteArray PrintedOrderPdf(const TTxtTable& lines) {
    const std::lock_guard lock(drawing);
    return Pdf("Pelmora Order", [&](TPelmoraPrint& print, QSize page) {
        // The pages are counted on an image of the page first, as the order form
        // counts them, for "Page n of total".
        QImage image(page, QImage::Format_RGB32);
        const int dotsPerMetre = static_cast<int>(Resolution / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        QPainter counting(&image);
        QtCanvas countingCanvas(counting);
        TPelmoraPrint countingPrint(countingCanvas, print.ScaleX);
        const int pages = DrawOrderPages(countingPrint, lines, 0);
        counting.end();
        DrawOrderPages(print, lines, pages);
    });
}

} // namespace pelmora

#include "QtPrinter.h"

#include "QtCanvas.h"
#include "Text1252Qt.h"

#include <QImage>
#include <QPageLayout>
#include <QPrintDialog>

namespace pelmora {

namespace {

// A white image with a painter on it; a base class, so that both exist before
// the canvas that draws with them.
struct PaintedImage {
    PaintedImage(int width, int height)
        : Image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
        Image.fill(Qt::white);
        Painter.begin(&Image);
    }
    QImage Image;
    QPainter Painter;
};

// An off-screen page that owns its image and painter.
class ImageCanvas : private PaintedImage, public QtCanvas {
public:
    ImageCanvas(int width, int height) : PaintedImage(width, height), QtCanvas(Painter) {}
};

} // namespace

QtPrinter::QtPrinter() : printer_(QPrinter::HighResolution) {
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    printer_.setPageOrientation(QPageLayout::Portrait);
}

QtPrinter::~QtPrinter() = default;

void QtPrinter::PrintToPdf(const QString& path) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(path);
    toPdf_ = true;
}

bool QtPrinter::AskPrint() {
    if (toPdf_)
        return true;
    QPrintDialog dialog(&printer_, parent_);
    return dialog.exec() == QDialog::Accepted;
}

int QtPrinter::PageWidth() {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width();
}

std::unique_ptr<Canvas> QtPrinter::OffscreenPage() {
    const QRect page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    return std::make_unique<ImageCanvas>(page.width(), page.height());
}

Canvas& QtPrinter::BeginJob(const std::string& title) {
    printer_.setDocName(FromCore(title));
    painter_ = std::make_unique<QPainter>(&printer_);
    canvas_ = std::make_unique<QtCanvas>(*painter_, [this] { printer_.newPage(); });
    return *canvas_;
}

void QtPrinter::EndJob() {
    canvas_.reset();
    if (painter_)
        painter_->end();
    painter_.reset();
}

} // namespace pelmora

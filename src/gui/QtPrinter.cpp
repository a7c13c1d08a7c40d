#include "QtPrinter.h"

#include "QtCanvas.h"
#include "Text1252Qt.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrintDialog>
#include <QStandardPaths>

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

QtPrinter::QtPrinter() = default;

QtPrinter::~QtPrinter() = default;

void QtPrinter::Renew() {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageSize(QPageSize(QPageSize::Letter));
    printer_->setPageOrientation(QPageLayout::Portrait);
}

QPrinter& QtPrinter::Current() {
    if (!printer_)
        Renew();
    return *printer_;
}

void QtPrinter::PrintToPdf(const QString& path) {
    pdfPath_ = path;
}

QString QtPrinter::DefaultFileName(const std::string& documentName) {
    QString name = FromCore(documentName);
    // A part number may hold characters a file name cannot.
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

bool QtPrinter::AskPrint(const std::string& documentName) {
    Renew();
    printer_->setDocName(FromCore(documentName));
    if (!pdfPath_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(pdfPath_);
        return true;
    }
    QPrintDialog dialog(printer_.get(), parent_);
    // The dialog's file box; Qt offers no other way to name the file without
    // also choosing printing to a file for the user.
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(DefaultFileName(documentName));
    return dialog.exec() == QDialog::Accepted;
}

int QtPrinter::PageWidth() {
    QPrinter& printer = Current();
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

std::unique_ptr<Canvas> QtPrinter::OffscreenPage() {
    QPrinter& printer = Current();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    return std::make_unique<ImageCanvas>(page.width(), page.height());
}

Canvas& QtPrinter::BeginJob(const std::string& title) {
    Current().setDocName(FromCore(title));
    painter_ = std::make_unique<QPainter>(printer_.get());
    canvas_ = std::make_unique<QtCanvas>(*painter_, [this] { printer_->newPage(); });
    return *canvas_;
}

void QtPrinter::EndJob() {
    canvas_.reset();
    if (painter_)
        painter_->end();
    painter_.reset();
}

} // namespace pelmora

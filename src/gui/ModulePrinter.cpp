#include "ModulePrinter.h"

#include "Modules.h"
#include "platform/Canvas.h"

namespace pelmora {

ModulePrinter::ModulePrinter() = default;

ModulePrinter::~ModulePrinter() = default;

WindowPrinter& ModulePrinter::Loaded() {
    if (!printer_) {
        printer_ = MadeByModule<WindowPrinter>("pelmora38-print", "pelmora_new_printer");
        printer_->SetParent(parent_);
        if (!pdfPath_.isEmpty())
            printer_->PrintToPdf(pdfPath_);
    }
    return *printer_;
}

void ModulePrinter::SetParent(QWidget* parent) {
    parent_ = parent;
    if (printer_)
        printer_->SetParent(parent);
}

void ModulePrinter::PrintToPdf(const QString& path) {
    pdfPath_ = path;
    if (printer_)
        printer_->PrintToPdf(path);
}

bool ModulePrinter::AskPrint(const std::string& documentName) {
    return Loaded().AskPrint(documentName);
}

int ModulePrinter::PageWidth() {
    return Loaded().PageWidth();
}

std::unique_ptr<Canvas> ModulePrinter::OffscreenPage() {
    return Loaded().OffscreenPage();
}

Canvas& ModulePrinter::BeginJob(const std::string& title) {
    return Loaded().BeginJob(title);
}

void ModulePrinter::EndJob() {
    if (printer_)
        printer_->EndJob();
}

} // namespace pelmora

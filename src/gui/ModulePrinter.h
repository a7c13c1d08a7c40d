#pragma once

#include "WindowPrinter.h"

#include <QString>
#include <memory>

namespace pelmora {

// The Qt printer of the print module (see Modules.h), loaded at the first use.
class ModulePrinter : public WindowPrinter {
public:
    ModulePrinter();
    ~ModulePrinter() override;

    void SetParent(QWidget* parent) override;
    void PrintToPdf(const QString& path) override;

    bool AskPrint(const std::string& documentName) override;
    int PageWidth() override;
    std::unique_ptr<Canvas> OffscreenPage() override;
    Canvas& BeginJob(const std::string& title) override;
    void EndJob() override;

private:
    WindowPrinter& Loaded();

    std::unique_ptr<WindowPrinter> printer_;
    QWidget* parent_ = nullptr;
    QString pdfPath_;
};

} // namespace pelmora

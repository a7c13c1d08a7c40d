#pragma once

#include "platform/Printer.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

class QWidget;

namespace pelmora {

class QtCanvas;

// The printer chosen in Qt's print dialog; on a machine without printers the
// dialog offers printing to a PDF file, which lays the pages out the same way.
class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;

    void SetParent(QWidget* parent) { parent_ = parent; }
    // Prints into a PDF file without asking, for tests and unattended runs.
    void PrintToPdf(const QString& path);

    bool AskPrint() override;
    int PageWidth() override;
    std::unique_ptr<Canvas> OffscreenPage() override;
    Canvas& BeginJob(const std::string& title) override;
    void EndJob() override;

private:
    QPrinter printer_;
    QWidget* parent_ = nullptr;
    bool toPdf_ = false;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

} // namespace pelmora

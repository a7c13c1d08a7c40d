#pragma once

#include "WindowPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

class QWidget;

namespace pelmora {

class QtCanvas;

// The printer chosen in Qt's print dialog; on a machine without printers the
// dialog offers printing to a PDF file, which lays the pages out the same way.
// The Qt printer is made at the first use: making one loads the print system's
// libraries and asks its server for printers, which the window's start should
// not wait for.
class QtPrinter : public WindowPrinter {
public:
    QtPrinter();
    ~QtPrinter() override;

    void SetParent(QWidget* parent) override { parent_ = parent; }
    void PrintToPdf(const QString& path) override;

    bool AskPrint(const std::string& documentName) override;
    // Where a job printed to a file goes unless the user names another file.
    static QString DefaultFileName(const std::string& documentName);
    int PageWidth() override;
    std::unique_ptr<Canvas> OffscreenPage() override;
    Canvas& BeginJob(const std::string& title) override;
    void EndJob() override;

private:
    // A new printer for every job, so that no job inherits the file of the one
    // before.
    void Renew();
    QPrinter& Current();

    std::unique_ptr<QPrinter> printer_;
    QString pdfPath_;
    QWidget* parent_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

} // namespace pelmora

#pragma once

#include <memory>
#include <string>

namespace pelmora {

class Canvas;

// The printer the user chooses in the print dialog.
class Printer {
public:
    virtual ~Printer() = default;

    // The print dialog; true when the user confirms it. A job printed to a file
    // is offered the document's name for the file, fresh for every job.
    virtual bool AskPrint(const std::string& documentName) = 0;
    // The width of the printer's page in device units.
    virtual int PageWidth() = 0;
    // An off-screen bitmap with the printer's page size, for a counting pass.
    virtual std::unique_ptr<Canvas> OffscreenPage() = 0;
    // Starts a print job with the title; the canvas draws on its pages until
    // EndJob.
    virtual Canvas& BeginJob(const std::string& title) = 0;
    virtual void EndJob() = 0;
};

} // namespace pelmora

#pragma once

#include "platform/Printer.h"

class QString;
class QWidget;

namespace pelmora {

// A printer whose print dialog belongs to a window.
class WindowPrinter : public Printer {
public:
    virtual void SetParent(QWidget* parent) = 0;
    // Prints into a PDF file without asking, for tests and unattended runs.
    virtual void PrintToPdf(const QString& path) = 0;
};

} // namespace pelmora

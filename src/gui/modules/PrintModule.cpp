// The print module: Qt's printer and print dialog, loaded at the first print.
#include "QtPrinter.h"

extern "C" Q_DECL_EXPORT pelmora::WindowPrinter* pelmora_new_printer() {
    return new pelmora::QtPrinter;
}

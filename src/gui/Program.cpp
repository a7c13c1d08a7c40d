#include "Program.h"

namespace pelmora {

namespace {

template <class Form> Form& Created(Form& form) {
    form.FormCreate();
    return form;
}

} // namespace

Program::Program(AppState& app, MessageBoxes& messages, HelpViewer& help, ConfirmDialogs& confirm,
                 SaveDialog& save, BusyCursor& busy, Printer& printer)
    : platform_{messages, help, confirm, windows_, save, busy, printer}, Main(app, platform_),
      AddOrder(app, platform_), Order(app, platform_, AddOrder, ApplyTo(Main)),
      QuickBuilder(app, platform_, ApplyTo(Main)), Convert(app, platform_, ApplyTo(Main)),
      Preview(app, platform_),
      MainWindow((Main.UseOrderForms(AddOrder, Order), Main.UsePreviewForm(Preview), Created(Main)),
                 messages),
      OrderWindow(Order, messages, &MainWindow), AddOrderWindow(AddOrder, messages, &MainWindow),
      QuickBuilderWindow(Created(QuickBuilder), messages, &MainWindow),
      ConvertWindow(Created(Convert), messages, &MainWindow),
      PreviewWindow(Created(Preview), messages, &MainWindow) {
    windows_.Use(&AddOrderWindow, &OrderWindow, &QuickBuilderWindow, &ConvertWindow,
                 &PreviewWindow);
}

std::function<void(const std::string&)> Program::ApplyTo(MainForm& main) {
    return [&main](const std::string& partNumber) { main.ApplyPartNumber(partNumber); };
}

} // namespace pelmora

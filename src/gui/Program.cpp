#include "Program.h"

namespace pelmora {

namespace {

MainForm& Created(MainForm& form) {
    form.FormCreate();
    return form;
}

} // namespace

Program::Program(AppState& app, MessageBoxes& messages, HelpViewer& help, ConfirmDialogs& confirm,
                 SaveDialog& save)
    : platform_{messages, help, confirm, windows_, save}, Main(app, platform_),
      AddOrder(app, platform_), Order(app, platform_, AddOrder),
      MainWindow((Main.UseOrderForms(AddOrder, Order), Created(Main)), messages),
      OrderWindow(Order, messages, &MainWindow), AddOrderWindow(AddOrder, messages, &MainWindow) {
    windows_.Use(&AddOrderWindow, &OrderWindow);
}

} // namespace pelmora

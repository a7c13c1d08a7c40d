#include "Program.h"

#include "platform/MessageBoxes.h"

namespace pelmora {

namespace {

template <class Form> Form& Created(Form& form) {
    form.FormCreate();
    return form;
}

} // namespace

Program::Program(AppState& app, Platform& platform, QtModalWindows& windows)
    : Main(app, platform), AddOrder(app, platform), Order(app, platform, AddOrder, ApplyTo(Main)),
      QuickBuilder(app, platform, ApplyTo(Main)), Convert(app, platform, ApplyTo(Main)),
      Preview(app, platform),
      MainWindow((Main.UseOrderForms(AddOrder, Order), Main.UsePreviewForm(Preview), Created(Main)),
                 platform.Messages),
      OrderWindow(Order, platform.Messages, &MainWindow),
      AddOrderWindow(AddOrder, platform.Messages, &MainWindow),
      QuickBuilderWindow(Created(QuickBuilder), platform.Messages, &MainWindow),
      ConvertWindow(Created(Convert), platform.Messages, &MainWindow),
      PreviewWindow(Created(Preview), platform.Messages, &MainWindow) {
    windows.Use(&AddOrderWindow, &OrderWindow, &QuickBuilderWindow, &ConvertWindow, &PreviewWindow);
    windows.SetParent(&MainWindow);
}

std::function<void(const std::string&)> Program::ApplyTo(MainForm& main) {
    return [&main](const std::string& partNumber) { main.ApplyPartNumber(partNumber); };
}

} // namespace pelmora

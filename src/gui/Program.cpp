#include "Program.h"

#include "platform/MessageBoxes.h"

namespace pelmora {

namespace {

template <class Form> Form& Created(Form& form) {
    form.FormCreate();
    return form;
}

// The window, made at the first call.
template <class Window, class... Arguments>
Window& Made(std::unique_ptr<Window>& window, Arguments&&... arguments) {
    if (!window)
        window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
    return *window;
}

} // namespace

Program::Program(AppState& app, Platform& platform, QtModalWindows& windows)
    : messages_(platform.Messages), Main(app, platform), AddOrder(app, platform),
      Order(app, platform, AddOrder, ApplyTo(Main)), QuickBuilder(app, platform, ApplyTo(Main)),
      Convert(app, platform, ApplyTo(Main)), Preview(app, platform),
      MainWindow((Main.UseOrderForms(AddOrder, Order), Main.UsePreviewForm(Preview), Created(Main)),
                 platform.Messages) {
    Created(QuickBuilder);
    Created(Convert);
    Created(Preview);
    windows.Use([this]() -> TfrmAddOrder& { return AddOrderWindow(); },
                [this]() -> TfrmOrder& { return OrderWindow(); },
                [this]() -> TfrmCreate& { return QuickBuilderWindow(); },
                [this]() -> TfrmConvert& { return ConvertWindow(); },
                [this]() -> TfrmPreview& { return PreviewWindow(); });
    windows.SetParent(&MainWindow);
}

Program::~Program() = default;

TfrmOrder& Program::OrderWindow() {
    return Made(orderWindow_, Order, messages_, &MainWindow);
}

TfrmAddOrder& Program::AddOrderWindow() {
    return Made(addOrderWindow_, AddOrder, messages_, &MainWindow);
}

TfrmCreate& Program::QuickBuilderWindow() {
    return Made(quickBuilderWindow_, QuickBuilder, messages_, &MainWindow);
}

TfrmConvert& Program::ConvertWindow() {
    return Made(convertWindow_, Convert, messages_, &MainWindow);
}

TfrmPreview& Program::PreviewWindow() {
    return Made(previewWindow_, Preview, messages_, &MainWindow);
}

std::function<void(const std::string&)> Program::ApplyTo(MainForm& main) {
    return [&main](const std::string& partNumber) { main.ApplyPartNumber(partNumber); };
}

} // namespace pelmora

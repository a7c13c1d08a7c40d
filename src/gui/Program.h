#pragma once

#include "QtModalWindows.h"
#include "TfrmAddOrder.h"
#include "TfrmConvert.h"
#include "TfrmCreate.h"
#include "TfrmMain.h"
#include "TfrmOrder.h"
#include "TfrmPreview.h"
#include "order/AddOrderForm.h"
#include "order/OrderForm.h"
#include "partnumber/ConvertForm.h"
#include "partnumber/CreateForm.h"
#include "platform/Platform.h"
#include "print/PreviewForm.h"
#include "wizard/MainForm.h"

#include <functional>
#include <memory>
#include <string>

namespace pelmora {

struct AppState;

// The forms of the program and their windows, created in the order the program
// starts them and wired to one another. The main form's FormCreate has run.
// The platform's dialogs are the given windows, which this program fills. A
// dialog's window is made the first time it is asked for: the first screen shows
// none, and making them all would hold up the window's first paint.
class Program {
public:
    Program(AppState& app, Platform& platform, QtModalWindows& windows);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TfrmOrder& OrderWindow();
    TfrmAddOrder& AddOrderWindow();
    TfrmCreate& QuickBuilderWindow();
    TfrmConvert& ConvertWindow();
    TfrmPreview& PreviewWindow();

private:
    static std::function<void(const std::string&)> ApplyTo(MainForm& main);

    MessageBoxes& messages_;

public:
    MainForm Main;
    AddOrderForm AddOrder;
    OrderForm Order;
    CreateForm QuickBuilder;
    ConvertForm Convert;
    PreviewForm Preview;
    TfrmMain MainWindow;

private:
    // After the main window, whose children they are: they go first.
    std::unique_ptr<TfrmOrder> orderWindow_;
    std::unique_ptr<TfrmAddOrder> addOrderWindow_;
    std::unique_ptr<TfrmCreate> quickBuilderWindow_;
    std::unique_ptr<TfrmConvert> convertWindow_;
    std::unique_ptr<TfrmPreview> previewWindow_;
};

} // namespace pelmora

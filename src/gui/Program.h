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
#include <string>

namespace pelmora {

struct AppState;

// The forms of the program and their windows, created in the order the program
// starts them and wired to one another. The main form's FormCreate has run.
// The platform's dialogs are the given windows, which this program fills.
class Program {
public:
    Program(AppState& app, Platform& platform, QtModalWindows& windows);

private:
    static std::function<void(const std::string&)> ApplyTo(MainForm& main);

public:
    MainForm Main;
    AddOrderForm AddOrder;
    OrderForm Order;
    CreateForm QuickBuilder;
    ConvertForm Convert;
    PreviewForm Preview;
    TfrmMain MainWindow;
    TfrmOrder OrderWindow;
    TfrmAddOrder AddOrderWindow;
    TfrmCreate QuickBuilderWindow;
    TfrmConvert ConvertWindow;
    TfrmPreview PreviewWindow;
};

} // namespace pelmora

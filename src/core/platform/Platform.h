#pragma once

namespace pelmora {

class BusyCursor;
class Clock;
class Internet;
class ConfirmDialogs;
class HelpViewer;
class MessageBoxes;
class ModalWindows;
class Printer;
class FileDialogs;

// What the forms ask of the world outside the core. The windows provide it with
// Qt; tests provide scripted fakes.
struct Platform {
    MessageBoxes& Messages;
    HelpViewer& Help;
    ConfirmDialogs& Confirm;
    ModalWindows& Windows;
    FileDialogs& Files;
    BusyCursor& Busy;
    Printer& Print;
    Clock& Time;
    Internet& Net;
};

} // namespace pelmora

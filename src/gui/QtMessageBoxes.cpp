#include "QtMessageBoxes.h"

#include "Text1252Qt.h"

#include <QApplication>
#include <QMessageBox>

namespace pelmora {

namespace {

QString BoxTitle() {
    return QApplication::applicationName();
}

} // namespace

void QtMessageBoxes::Error(const std::string& text) {
    QMessageBox::critical(parent_, BoxTitle(), MessageText(text), QMessageBox::Ok);
}

void QtMessageBoxes::Information(const std::string& text) {
    QMessageBox::information(parent_, BoxTitle(), MessageText(text), QMessageBox::Ok);
}

bool QtMessageBoxes::Confirm(const std::string& text) {
    return QMessageBox::question(parent_, BoxTitle(), MessageText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtMessageBoxes::ConfirmDestructive(const std::string& text) {
    return QMessageBox::question(parent_, BoxTitle(), MessageText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

Answer QtMessageBoxes::AskYesNoCancel(const std::string& text) {
    switch (QMessageBox::question(parent_, BoxTitle(), MessageText(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace pelmora

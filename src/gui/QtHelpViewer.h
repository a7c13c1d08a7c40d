#pragma once

#include "platform/HelpViewer.h"

#include <QPointer>

class QDialog;
class QTextBrowser;
class QWidget;

namespace pelmora {

// Shows the help document in a window of its own, scrolled to the topic's anchor
// ("topic1" for topic 1). The window stays open beside the program.
class QtHelpViewer : public HelpViewer {
public:
    explicit QtHelpViewer(QWidget* parent = nullptr) : parent_(parent) {}
    ~QtHelpViewer() override;

    void SetParent(QWidget* parent) { parent_ = parent; }
    void ShowHelp(const std::string& helpFile, int topic) override;

private:
    QWidget* parent_;
    QPointer<QDialog> window_;
    QTextBrowser* browser_ = nullptr;
};

} // namespace pelmora

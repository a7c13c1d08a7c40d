#include "QtHelpViewer.h"

#include "Text1252Qt.h"

#include <QDialog>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace pelmora {

QtHelpViewer::~QtHelpViewer() {
    delete window_;
}

void QtHelpViewer::ShowHelp(const std::string& helpFile, int topic) {
    if (!window_) {
        window_ = new QDialog(parent_, Qt::Window);
        window_->setWindowTitle(QStringLiteral("Pelmora 38 Help"));
        window_->resize(560, 480);
        browser_ = new QTextBrowser(window_);
        browser_->setObjectName(QStringLiteral("helpBrowser"));
        browser_->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser_);
    }
    QFile file(FromCore(helpFile));
    if (file.open(QIODevice::ReadOnly))
        browser_->setHtml(FromCore(file.readAll().toStdString()));
    browser_->scrollToAnchor(QStringLiteral("topic%1").arg(topic));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace pelmora

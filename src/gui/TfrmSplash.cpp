#include "TfrmSplash.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace pelmora {

TfrmSplash::TfrmSplash(const QString& pictureFile, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(432, 288);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    if (QFileInfo::exists(pictureFile)) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("imgSplash"));
        picture->setGeometry(rect());
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(QPixmap(pictureFile));
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace pelmora

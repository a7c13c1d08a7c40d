// The web tests draw specification sheets with Qt's fonts, as pelmora-web does,
// without any display.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    Q_INIT_RESOURCE(pelmora);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

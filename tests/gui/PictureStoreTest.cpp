// The window's pictures look exactly as read from their files, however they are
// kept, and a file changed on disk is shown as it is now.
#include "PictureStore.h"

#include "support/TempFolder.h"

#include <QPainter>
#include <QtTest>

using namespace pelmora;

namespace {

// A picture of the given number of colours, opaque or with see-through parts.
QImage Drawn(int colours, bool transparent, int width = 40) {
    QImage picture(width, 30, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int colour = (y * picture.width() + x) % colours;
            picture.setPixel(
                x, y, qRgba(colour % 256, colour / 256 * 40, 90, transparent && x < 10 ? 0 : 255));
        }
    }
    return picture;
}

// As drawn on screen: a see-through pixel has no colour.
QImage Comparable(const QImage& picture) {
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class PictureStoreTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachPictureAsItsFileHoldsIt_data() {
        QTest::addColumn<int>("colours");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<int>("storeBytes");
        const int large = 1 << 20;
        QTest::newRow("few colours") << 12 << false << large;
        QTest::newRow("exactly 256 colours") << 256 << false << large;
        QTest::newRow("more than 256 colours") << 1200 << false << large;
        QTest::newRow("see-through parts") << 12 << true << large;
        QTest::newRow("larger than the whole store") << 1200 << false << 1000;
    }
    void showsEachPictureAsItsFileHoldsIt() {
        QFETCH(int, colours);
        QFETCH(bool, transparent);
        QFETCH(int, storeBytes);
        testing::TempFolder folder;
        const QString file = QString::fromStdString(folder.Path()) + QStringLiteral("p.png");
        QVERIFY(Drawn(colours, transparent).save(file));
        PictureStore pictures(storeBytes);
        pictures.ReadAhead(file);
        QCOMPARE(Comparable(pictures.Pixmap(file, {}).toImage()), Comparable(QImage(file)));
    }

    void showsAFileChangedOnDiskAsItIsNow() {
        testing::TempFolder folder;
        const QString file = QString::fromStdString(folder.Path()) + QStringLiteral("p.png");
        QVERIFY(Drawn(12, false).save(file));
        PictureStore pictures;
        const QPixmap first = pictures.Pixmap(file, {});
        QCOMPARE(pictures.Pixmap(file, first).cacheKey(), first.cacheKey());

        QVERIFY(Drawn(5, false, 60).save(file));
        const QPixmap now = pictures.Pixmap(file, first);
        QVERIFY(now.cacheKey() != first.cacheKey());
        QCOMPARE(Comparable(now.toImage()), Comparable(QImage(file)));
    }

    // A picture the full store gave up is read again when next shown.
    void showsAPictureGivenUpForAnother() {
        testing::TempFolder folder;
        const QString first = QString::fromStdString(folder.Path()) + QStringLiteral("a.png");
        const QString second = QString::fromStdString(folder.Path()) + QStringLiteral("b.png");
        QVERIFY(Drawn(12, false).save(first));
        QVERIFY(Drawn(5, false).save(second));
        PictureStore pictures(1500); // one picture of 40 x 30 with a colour table
        const QPixmap shown = pictures.Pixmap(first, {});
        pictures.ReadAhead(second);
        QCOMPARE(Comparable(pictures.Pixmap(first, shown).toImage()), Comparable(QImage(first)));
        QCOMPARE(Comparable(pictures.Pixmap(second, {}).toImage()), Comparable(QImage(second)));
    }

    void showsNothingForNoFileOrOneThatCannotBeRead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no file named") << QString() << QByteArray();
        QTest::newRow("missing") << QStringLiteral("none.gif") << QByteArray();
        QTest::newRow("not a picture") << QStringLiteral("bad.gif") << QByteArray("GIF89a");
    }
    void showsNothingForNoFileOrOneThatCannotBeRead() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        testing::TempFolder folder;
        if (!bytes.isEmpty())
            folder.Write(name.toStdString(), bytes.toStdString());
        const QString file =
            name.isEmpty() ? QString() : QString::fromStdString(folder.Path()) + name;
        PictureStore pictures;
        QVERIFY(pictures.Pixmap(file, {}).isNull());
    }
};

QTEST_MAIN(PictureStoreTest)
#include "PictureStoreTest.moc"

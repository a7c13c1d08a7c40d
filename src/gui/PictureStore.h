#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace pelmora {

// The catalogue's pictures, each decoded once and kept as long as its file is
// unchanged (a file edited on disk is read again at its next use). A picture of
// at most 256 colours without transparency, as catalogue pictures are, is kept
// with a colour table: a quarter of the memory of the screen's pixels, so that
// every picture a family shows can be read ahead without making the program big.
class PictureStore {
public:
    // The file's picture for the screen; shown itself while it still is the file's
    // picture, so that showing the same picture again costs nothing. A null pixmap
    // for no file or one that cannot be read.
    QPixmap Pixmap(const QString& file, const QPixmap& shown);
    void ReadAhead(const QString& file);

private:
    struct Entry {
        QDateTime Modified;
        qint64 Size = -1;
        QImage Picture;
        qint64 PixmapKey = 0; // of the last pixmap made of Picture
    };
    Entry& Current(const QString& file);

    QHash<QString, Entry> entries_;
};

} // namespace pelmora

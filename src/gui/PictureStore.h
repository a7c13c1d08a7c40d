#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace pelmora {

// The catalogue's pictures, each decoded once and kept as long as its file is
// unchanged (a file edited on disk is read again at its next use), the least
// recently used given up beyond the store's size, as Qt's own picture cache does.
// A picture of at most 256 colours without transparency, as catalogue pictures
// are, is kept with a colour table: a quarter of the memory of the screen's
// pixels, so that every picture a family shows can be read ahead cheaply.
class PictureStore {
public:
    explicit PictureStore(qsizetype maxBytes = 10 * 1024 * 1024);

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

    QCache<QString, Entry> entries_;
    // The last picture read that is larger than the whole store.
    Entry oversized_;
};

} // namespace pelmora

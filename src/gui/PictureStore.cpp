#include "PictureStore.h"

#include <QFileInfo>
#include <QImageReader>

namespace pelmora {

namespace {

QImage Compact(QImage picture) {
    if (picture.hasAlphaChannel() || picture.depth() <= 8)
        return picture;
    QImage indexed = picture.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
    // More than 256 colours would be approximated: kept as read.
    return indexed.convertToFormat(picture.format()) == picture ? indexed : picture;
}

} // namespace

PictureStore::Entry& PictureStore::Current(const QString& file) {
    const QFileInfo info(file);
    Entry& entry = entries_[file];
    if (entry.Modified != info.lastModified() || entry.Size != info.size()) {
        entry = {info.lastModified(), info.size(), Compact(QImageReader(file).read())};
    }
    return entry;
}

QPixmap PictureStore::Pixmap(const QString& file, const QPixmap& shown) {
    if (file.isEmpty())
        return {};
    Entry& entry = Current(file);
    if (!shown.isNull() && shown.cacheKey() == entry.PixmapKey)
        return shown;
    QPixmap pixmap = QPixmap::fromImage(entry.Picture);
    entry.PixmapKey = pixmap.cacheKey();
    return pixmap;
}

void PictureStore::ReadAhead(const QString& file) {
    Current(file);
}

} // namespace pelmora

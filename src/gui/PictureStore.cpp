#include "PictureStore.h"

#include <QFileInfo>
#include <QImageReader>
#include <memory>

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

PictureStore::PictureStore(qsizetype maxBytes) : entries_(maxBytes) {}

PictureStore::Entry& PictureStore::Current(const QString& file) {
    const QFileInfo info(file);
    Entry* kept = entries_.object(file);
    if (kept && kept->Modified == info.lastModified() && kept->Size == info.size())
        return *kept;
    auto read = std::make_unique<Entry>(
        Entry{info.lastModified(), info.size(), Compact(QImageReader(file).read())});
    const qsizetype cost = read->Picture.sizeInBytes();
    if (cost > entries_.maxCost()) {
        entries_.remove(file);
        oversized_ = std::move(*read);
        return oversized_;
    }
    entries_.insert(file, read.release(), cost);
    return *entries_.object(file);
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

// The download module: Qt Network, loaded at the first download.
#include "QtDownloader.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT pelmora::Downloader* pelmora_new_downloader() {
    return new pelmora::QtDownloader;
}

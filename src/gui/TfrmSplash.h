#pragma once

#include <QWidget>

namespace pelmora {

// The borderless start-up picture, 432 x 288, centred on the screen. Without the
// picture file it is an empty window in the button-face colour.
class TfrmSplash : public QWidget {
    Q_OBJECT

public:
    explicit TfrmSplash(const QString& pictureFile, QWidget* parent = nullptr);
};

} // namespace pelmora

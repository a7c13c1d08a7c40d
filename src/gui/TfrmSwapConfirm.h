#pragma once

#include <QDialog>

namespace pelmora {

// "Confirm Configuration" for a miter bend whose legs differ in length and
// flange. Its result: Accepted for "&Continue", Rejected for "&Cancel" and
// SwapResult for "&Swap".
class TfrmSwapConfirm : public QDialog {
    Q_OBJECT

public:
    static constexpr int SwapResult = 2;

    TfrmSwapConfirm(const QString& line1, const QString& line2, QWidget* parent = nullptr);
};

} // namespace pelmora

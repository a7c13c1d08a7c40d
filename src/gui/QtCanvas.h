#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QPainter>
#include <functional>

namespace pelmora {

// The canvas of the printed pages on a QPainter: a printer's or an image's.
class QtCanvas : public Canvas {
public:
    // newPage starts the next page of a print job.
    explicit QtCanvas(QPainter& painter, std::function<void()> newPage = {});

    void SetFontName(const std::string& name) override;
    void SetFontHeight(int height) override;
    void SetBold(bool bold) override;
    void SetUnderline(bool underline) override;
    void SetPenWidth(int width) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextInBox(const DeviceRect& box, const std::string& text, bool rightAligned) override;
    bool Picture(const DeviceRect& box, const std::string& path) override;
    void Logo(const DeviceRect& box) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void NewPage() override;

private:
    void ApplyFont();

    QPainter& painter_;
    std::function<void()> newPage_;
    QFont font_;
    int cellHeight_ = 10;
};

} // namespace pelmora

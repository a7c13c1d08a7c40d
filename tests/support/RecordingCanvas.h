#pragma once

#include "platform/Canvas.h"
#include "platform/Printer.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace pelmora::testing {

// A canvas that writes down every drawing call, with simple fixed metrics: a text
// is as high as the font and each character half as wide.
class RecordingCanvas : public Canvas {
public:
    void SetFontName(const std::string& name) override { font_ = name; }
    void SetFontHeight(int height) override { height_ = height; }
    void SetBold(bool bold) override { bold_ = bold; }
    void SetUnderline(bool underline) override { underline_ = underline; }
    void SetPenWidth(int width) override { Calls.push_back("pen " + std::to_string(width)); }
    int TextWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * height_ / 2;
    }
    int TextHeight(const std::string&) override { return height_; }
    void TextOut(int x, int y, const std::string& text) override {
        Calls.push_back("text " + Point(x, y) + " " + Font() + " " + text);
    }
    void TextInBox(const DeviceRect& box, const std::string& text, bool right) override {
        Calls.push_back("box " + Rect(box) + (right ? " right " : " left ") + Font() + " " + text);
    }
    bool Picture(const DeviceRect& box, const std::string& path) override {
        const bool exists = !Missing.count(path);
        Calls.push_back("picture " + Rect(box) + " " + path + (exists ? "" : " missing"));
        return exists;
    }
    void Logo(const DeviceRect& box) override { Calls.push_back("logo " + Rect(box)); }
    void Line(int x1, int y1, int x2, int y2) override {
        Calls.push_back("line " + Point(x1, y1) + " " + Point(x2, y2));
    }
    void NewPage() override { Calls.push_back("new page"); }

    // The recorded calls that begin with the prefix.
    std::vector<std::string> Only(const std::string& prefix) const {
        std::vector<std::string> kept;
        for (const auto& call : Calls) {
            if (call.rfind(prefix, 0) == 0)
                kept.push_back(call);
        }
        return kept;
    }

    std::vector<std::string> Calls;
    std::set<std::string> Missing;

private:
    static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string Rect(const DeviceRect& r) {
        return Point(r.Left, r.Top) + "-" + Point(r.Right, r.Bottom);
    }
    std::string Font() const {
        return font_ + "/" + std::to_string(height_) + (bold_ ? "b" : "") + (underline_ ? "u" : "");
    }

    std::string font_;
    int height_ = 10;
    bool bold_ = false;
    bool underline_ = false;
};

// A printer whose pages are recording canvases.
class FakePrinter : public Printer {
public:
    bool AskPrint(const std::string& documentName) override {
        Asked.push_back(documentName);
        return Confirm;
    }
    int PageWidth() override { return Width; }
    std::unique_ptr<Canvas> OffscreenPage() override { return std::make_unique<RecordingCanvas>(); }
    Canvas& BeginJob(const std::string& title) override {
        Jobs.push_back(title);
        Page = RecordingCanvas();
        return Page;
    }
    void EndJob() override { Jobs.push_back("end"); }

    bool Confirm = true;
    int Width = 850;
    std::vector<std::string> Asked;
    std::vector<std::string> Jobs;
    RecordingCanvas Page;
};

} // namespace pelmora::testing

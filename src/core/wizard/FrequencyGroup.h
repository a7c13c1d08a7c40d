#pragma once

#include <string>
#include <vector>

namespace pelmora {

class TTxtTable;

// A band button of the Frequency group.
struct TPelmoraRadioButton {
    std::string BandCode;
    std::string RangeText;
    std::string VswrText;
    int Top = 0;
    bool Checked = false;

    std::string Caption() const {
        std::string text;
        AppendCaption(text);
        return text;
    }
    void AppendCaption(std::string& text) const {
        text += RangeText;
        text += " / VSWR: ";
        text += VswrText;
    }
};

struct BandHeading {
    std::string Text;
    int Top = 0;
};

// The buttons and headings candidate rows give, none checked yet.
struct BandList {
    std::vector<TPelmoraRadioButton> Buttons;
    std::vector<BandHeading> Headings;
};

// The Frequency group of screen 2: headings and band buttons, 16 pixels apart.
class FrequencyGroup {
public:
    static constexpr int RowHeight = 16;
    static constexpr int HeadingLeft = 8;
    static constexpr int ButtonLeft = 15;
    static constexpr int ButtonWidth = 170;

    void ClearBands();
    // Rebuilds the group from the candidate rows and checks the band that was
    // checked before (by code), else the first. Consumes the wide-band row.
    // True when a button was checked, so the caller refreshes the description.
    bool BuildBandList(TTxtTable& candidates, int rangeColumn, int vswrColumn, int codeColumn);
    // BuildBandList in two steps, so that a list laid out once can be shown again.
    static BandList LayOut(TTxtTable& candidates, int rangeColumn, int vswrColumn, int codeColumn);
    bool Show(const BandList& bands);
    int SelectedBandIndex() const;
    const TPelmoraRadioButton* SelectedBand() const;
    void Check(int index);

    std::vector<TPelmoraRadioButton> BandButtons;
    std::vector<BandHeading> Headings;
};

} // namespace pelmora

#include "FrequencyGroup.h"

#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"

namespace pelmora {

void FrequencyGroup::ClearBands() {
    BandButtons.clear();
    Headings.clear();
}

bool FrequencyGroup::BuildBandList(TTxtTable& candidates, int rangeColumn, int vswrColumn,
                                   int codeColumn) {
    return Show(LayOut(candidates, rangeColumn, vswrColumn, codeColumn));
}

BandList FrequencyGroup::LayOut(TTxtTable& candidates, int rangeColumn, int vswrColumn,
                                int codeColumn) {
    BandList bands;
    int y = RowHeight;
    bands.Buttons.reserve(static_cast<size_t>(candidates.RowCount()));
    auto addButton = [&](int row) {
        bands.Buttons.push_back({candidates.GetField(row, codeColumn),
                                 candidates.GetField(row, rangeColumn),
                                 candidates.GetField(row, vswrColumn), y, false});
        y += RowHeight;
    };

    for (int row = 0; row < candidates.RowCount(); ++row) {
        if (UpperCase1252(candidates.GetField(row, codeColumn)) == "S") {
            bands.Headings.push_back({"Wide Band", y});
            y += RowHeight;
            addButton(row);
            candidates.Lines.erase(candidates.Lines.begin() + row);
            break;
        }
    }
    if (candidates.RowCount() > 0) {
        bands.Headings.push_back({"Narrow Band", y});
        y += RowHeight;
        for (int row = 0; row < candidates.RowCount(); ++row)
            addButton(row);
    }
    return bands;
}

bool FrequencyGroup::Show(const BandList& bands) {
    const TPelmoraRadioButton* previous = SelectedBand();
    const std::string remembered = previous ? previous->BandCode : std::string();
    BandButtons = bands.Buttons;
    Headings = bands.Headings;

    if (BandButtons.empty())
        return false;
    int checked = 0;
    for (size_t i = 0; i < BandButtons.size(); ++i) {
        if (BandButtons[i].BandCode == remembered) {
            checked = static_cast<int>(i);
            break;
        }
    }
    Check(checked);
    return true;
}

int FrequencyGroup::SelectedBandIndex() const {
    for (size_t i = 0; i < BandButtons.size(); ++i) {
        if (BandButtons[i].Checked)
            return static_cast<int>(i);
    }
    return -1;
}

const TPelmoraRadioButton* FrequencyGroup::SelectedBand() const {
    const int index = SelectedBandIndex();
    return index < 0 ? nullptr : &BandButtons[static_cast<size_t>(index)];
}

void FrequencyGroup::Check(int index) {
    for (size_t i = 0; i < BandButtons.size(); ++i)
        BandButtons[i].Checked = static_cast<int>(i) == index;
}

} // namespace pelmora

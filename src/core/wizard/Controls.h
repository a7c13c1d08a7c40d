#pragma once

#include <string>
#include <vector>

// The state of the controls a form shows. Windows copy it into their widgets;
// nothing here knows about a toolkit.
namespace pelmora {

// A drop-down list whose entries have several text columns.
struct ComboState {
    std::vector<std::vector<std::string>> Items;
    int ItemIndex = -1;
    bool Enabled = true;

    void Clear() {
        Items.clear();
        ItemIndex = -1;
    }
    bool HasSelection() const { return ItemIndex >= 0; }
};

// A length box: its shown entries are a copy of the imperial or the metric list.
struct TPelmoraComboBox {
    std::vector<std::string> ImperialItems;
    std::vector<std::string> MetricItems;
    std::vector<std::string> Items;
    int ItemIndex = -1;
    std::string Text;
    bool Enabled = true;
    bool Editable = false;

    void Clear() {
        ImperialItems.clear();
        MetricItems.clear();
        Items.clear();
        ItemIndex = -1;
        Text.clear();
    }
};

// A picture control: the file it shows (empty when cleared) and whether the file is
// drawn stretched to the control's size.
struct PictureState {
    std::string File;
    bool Stretched = false;
};

} // namespace pelmora

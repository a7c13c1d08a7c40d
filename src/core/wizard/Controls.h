#pragma once

#include <initializer_list>
#include <memory>
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

// Entries that never change once made, shared by the boxes and the copies of a form
// that show them instead of copied into each.
class SharedEntries {
public:
    SharedEntries() = default;
    SharedEntries(std::vector<std::string> entries)
        : entries_(std::make_shared<const std::vector<std::string>>(std::move(entries))) {}
    SharedEntries(std::initializer_list<std::string> entries)
        : SharedEntries(std::vector<std::string>(entries)) {}

    const std::vector<std::string>& Entries() const { return entries_ ? *entries_ : None(); }
    bool empty() const { return Entries().empty(); }
    size_t size() const { return Entries().size(); }
    const std::string& operator[](size_t index) const { return Entries()[index]; }
    const std::string& front() const { return Entries().front(); }
    const std::string& back() const { return Entries().back(); }
    friend bool operator==(const SharedEntries& shared, const std::vector<std::string>& entries) {
        return shared.Entries() == entries;
    }

private:
    static const std::vector<std::string>& None() {
        static const std::vector<std::string> none;
        return none;
    }
    std::shared_ptr<const std::vector<std::string>> entries_;
};

// A length box: its shown entries are a copy of the imperial or the metric list.
struct TPelmoraComboBox {
    SharedEntries ImperialItems;
    SharedEntries MetricItems;
    std::vector<std::string> Items;
    int ItemIndex = -1;
    std::string Text;
    bool Enabled = true;
    bool Editable = false;

    void Clear() {
        ImperialItems = {};
        MetricItems = {};
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

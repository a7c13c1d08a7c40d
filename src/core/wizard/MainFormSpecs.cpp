// The specification sheet of the part on screen.
#include "MainForm.h"
#include "catalogue/Text1252.h"
#include "print/PreviewForm.h"

namespace pelmora {

void MainForm::UsePreviewForm(PreviewForm& preview) {
    preview_ = &preview;
}

SpecHeader MainForm::CollectSpecHeader() const {
    SpecHeader header;
    if (cbxFlangeA.HasSelection())
        header.FlangeAPicture = FlangeAField(5);
    if (cbxFlangeB.HasSelection())
        header.FlangeBPicture = FlangeBField(5);
    if (cbxProductType.HasSelection())
        header.ProductPicture = FamilyField(5);
    header.PartNumber = txtPartNumber;
    return header;
}

void MainForm::CollectSpecRows(TTxtTable& rows) const {
    rows.Lines.clear();
    for (const auto& cells : grdSpecs) {
        std::string all;
        for (const auto& cell : cells)
            all += cell;
        if (TrimControlAndBlank(all).empty() || TrimControlAndBlank(cells[2]) == "Units")
            continue;
        std::string line;
        for (const auto& cell : cells)
            line += cell + "|";
        rows.Lines.push_back(std::move(line));
    }
}

void MainForm::btnViewSpecsClick() {
    if (!preview_)
        return;
    TTxtTable rows;
    CollectSpecRows(rows);
    preview_->ShowSpecsPreview(CollectSpecHeader(), rows, txtPartNumber);
}

} // namespace pelmora

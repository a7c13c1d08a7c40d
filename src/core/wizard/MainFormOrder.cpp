// The wizard's part going into the order, and the order going out on close.
#include "MainForm.h"
#include "catalogue/AppState.h"
#include "catalogue/Errors.h"
#include "order/AddOrderForm.h"
#include "order/BillOfMaterials.h"
#include "order/OrderForm.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

namespace {

const char* DescriptionPrefix(TProductFamily family) {
    switch (family) {
    case pfCoax:
        return "Waveguide to Coax Transititon, ";
    case pfRigidTwist:
        return "90\xB0 Twist, ";
    case pfEBend:
        return "E Bend 90\xB0, ";
    case pfFlexTwist:
        return "Flexible Twist, ";
    case pfHBend:
        return "H Bend 90\xB0, ";
    case pfMiterH:
        return "90\xB0 Miter H, ";
    case pfMiterE:
        return "90\xB0 Miter E, ";
    case pfPressureWindow:
        return "Pressure Window, ";
    case pfStraightSection:
        return "Straight Section, ";
    case pfStepTwist:
        return "90\xB0 Step-Twist, ";
    case pfTaperedTransition:
        return "Tapered Transition, ";
    case pfUnknown:
        break;
    }
    return "";
}

} // namespace

void MainForm::UseOrderForms(AddOrderForm& addOrder, OrderForm& order) {
    addOrder_ = &addOrder;
    order_ = &order;
    order.UseJournal(Journal);
}

std::string MainForm::BuildOrderDescription() const {
    std::string text;
    AppendOrderDescription(text);
    return text;
}

void MainForm::AppendOrderDescription(std::string& text) const {
    const TProductFamily family = Family();
    const bool legs =
        family == pfEBend || family == pfHBend || family == pfMiterH || family == pfMiterE;
    auto add = [&text](std::string_view piece) {
        text += piece;
        text += ", ";
    };
    text += DescriptionPrefix(family);
    add(SelectedField(WaveguideList, cbxWaveguide, WRColumn));
    add(SelectedField(FlangeAList, cbxFlangeA, 3));
    if (family == pfStraightSection || family == pfFlexTwist) {
        text += "Length: ";
        add(cbxLength.Text);
    } else if (legs) {
        text += "Leg A Length: ";
        add(cbxLegALength.Text);
    }
    if (family == pfCoax && cbxCoax.HasSelection())
        add(SelectedField(FlangeBList, cbxCoax, 2));
    else if (family != pfCoax && cbxFlangeB.HasSelection())
        add(SelectedField(FlangeBList, cbxFlangeB, 3));
    if (legs) {
        text += "Leg B Length: ";
        add(cbxLegBLength.Text);
    }
    if (const TPelmoraRadioButton* band = rgFrequency.SelectedBand()) {
        band->AppendCaption(text);
        text += ", ";
    }
    if (family == pfFlexTwist || family == pfPressureWindow || family == pfStepTwist) {
        text.resize(text.size() - 2);
    } else if (cbxFinish.HasSelection()) {
        text += cbxFinish.Items[static_cast<size_t>(cbxFinish.ItemIndex)][1];
    }
}

void MainForm::btnAddOrderClick() {
    if (!addOrder_)
        return;
    addOrder_->OpenAddToOrder({1, txtPartNumber, BuildOrderDescription()}, OrderLines);
    Journal.Record(OrderLines, platform_.Messages);
}

void MainForm::btnViewOrderClick() {
    if (order_)
        order_->ShowOrder(OrderLines);
}

void MainForm::WriteOrderOnClose() {
    // The list of materials is the order of the last window closed that held one:
    // a window opened beside another and never given an order leaves it alone.
    if (!Journal.HeldAnOrder())
        return;
    // A folder that cannot be written is reported; the window still closes.
    try {
        WriteBillOfMaterials(OrderLines, app_.OutputDir + "pelmora38.lom", Tables());
    } catch (const FileError& error) {
        platform_.Messages.Error(error.what());
    }
}

} // namespace pelmora

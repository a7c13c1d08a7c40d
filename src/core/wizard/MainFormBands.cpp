// The Frequency group: which loader fills it, and the band buttons' clicks.
#include "BandLoaders.h"
#include "MainForm.h"
#include "catalogue/AppState.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

namespace pelmora {

TableSource MainForm::Tables() const {
    return app_.Tables(platform_.Messages);
}

void MainForm::BuildBands(TTxtTable candidates) {
    if (rgFrequency.BuildBandList(candidates, 3, 4, 2))
        RefreshDescription();
}

// Every loader needs the waveguide, and some the coax type or flange A; without
// them the group keeps what it shows.
void MainForm::LoadWaveguideBands() {
    if (cbxWaveguide.HasSelection() &&
        rgFrequency.Show(*WaveguideBands(Tables(), WaveguideField(1), FamilyField(1))))
        RefreshDescription();
}

void MainForm::LoadFlexTwistBands() {
    if (cbxWaveguide.HasSelection())
        BuildBands(FlexTwistBandCandidates(Tables(), WaveguideField(1), FlexLengthInches()));
}

void MainForm::LoadStepTwistBands() {
    if (cbxWaveguide.HasSelection())
        BuildBands(StepTwistBandCandidates(Tables(), WaveguideField(1)));
}

void MainForm::LoadCoaxBands() {
    if (cbxWaveguide.HasSelection() && cbxCoax.HasSelection())
        BuildBands(CoaxBandCandidates(Tables(), WaveguideField(1), CoaxField(1)));
}

void MainForm::LoadPressureWindowBands() {
    if (cbxWaveguide.HasSelection() && cbxFlangeA.HasSelection())
        BuildBands(PressureWindowBandCandidates(Tables(), WaveguideField(1), FlangeAField(1)));
}

void MainForm::BandClick(int index) {
    rgFrequency.Check(index);
    RefreshDescription();
}

void MainForm::btnOtherFreqRangesClick() {
    platform_.Messages.Information("Other frequency ranges are available by special quote.\r"
                                   "Please contact your Corvane represantative for details.");
}

} // namespace pelmora

// A picture is looked up on disk only by a wizard whose pictures somebody sees.
#include "wizard/ShowImage.h"

#include "WizardFixture.h"

namespace pelmora::testing {
namespace {

struct PictureRow {
    const char* Name;
    bool ShowsPictures;
    const char* File;
    std::string Shown; // relative to the Images folder; empty: nothing shown
};

class PictureLookup : public WizardTest, public ::testing::WithParamInterface<PictureRow> {};

TEST_P(PictureLookup, OnlyAWizardThatShowsPicturesLooksThemUp) {
    const PictureRow& row = GetParam();
    folder.Write("Images/cpr.gif", "GIF89a");
    folder.Write("Images/NA.gif", "GIF89a");
    app.ShowsPictures = row.ShowsPictures;
    const PictureState shown = ShowImage(app, row.File, false);
    EXPECT_EQ(shown.File, row.Shown.empty() ? "" : app.ImagesDir + row.Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureLookup,
    ::testing::Values(PictureRow{"Shown", true, "cpr.gif", "cpr.gif"},
                      PictureRow{"MissingShownAsNotAvailable", true, "none.gif", "NA.gif"},
                      PictureRow{"NotLookedUpWhereNobodySees", false, "cpr.gif", ""},
                      PictureRow{"NotAvailableNotLookedUpEither", false, "none.gif", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing

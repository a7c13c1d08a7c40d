// A picture is looked up on disk only by a wizard whose pictures somebody sees.
#include "wizard/ShowImage.h"

#include "WizardFixture.h"

#include <filesystem>

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

// The pictures a face reads ahead are those that picking each family then shows,
// in the order of the families: the photo, then the length drawing.
struct AheadRow {
    const char* Name;
    bool ShowsPictures;
    bool NotAvailablePicture;
    size_t Count; // the test catalogue has eleven families
};

class PicturesReadAhead : public WizardTest, public ::testing::WithParamInterface<AheadRow> {};

TEST_P(PicturesReadAhead, AreThoseEachFamilyShows) {
    const AheadRow& row = GetParam();
    app.ShowsPictures = row.ShowsPictures;
    if (!row.NotAvailablePicture)
        std::filesystem::remove(folder.Path() + "/Images/NA.gif");
    const std::vector<std::string> ahead = Main().FamilyPictures();

    std::vector<std::string> shown;
    for (size_t family = 0; family < Main().cbxProductType.Items.size(); ++family) {
        Main().PickProductType(static_cast<int>(family));
        for (const PictureState& picture : {Main().imgProduct, Main().imgLength}) {
            if (!picture.File.empty())
                shown.push_back(picture.File);
        }
    }
    EXPECT_EQ(ahead, shown);
    EXPECT_EQ(ahead.size(), row.Count);
}

INSTANTIATE_TEST_SUITE_P(Families, PicturesReadAhead,
                         ::testing::Values(AheadRow{"MissingOnesAsNotAvailable", true, true, 22},
                                           AheadRow{"OnlyThoseOnDiskWithoutNotAvailable", true,
                                                    false, 2},
                                           AheadRow{"NoneWhereNobodySees", false, true, 0}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing

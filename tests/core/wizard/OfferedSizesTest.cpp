// The sizes each family offers, worked out once and kept with the tables in the
// window's cache: the same lists as tables read afresh give, and an edited table
// counts at the next action.
#include "WizardFixture.h"
#include "catalogue/TableSource.h"

#include <chrono>
#include <filesystem>

namespace pelmora::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct EditRow {
    const char* Name;
    TProductFamily Family;
    const char* Table;
    const char* Rows;
    std::vector<std::string> Before;
    std::vector<std::string> After;
};

class OfferedSizes : public WizardTest, public ::testing::WithParamInterface<EditRow> {
protected:
    OfferedSizes() {
        app.Cache = &cache;
        for (const auto& file : fs::directory_iterator(folder.Path() + "Data"))
            Settle(file.path().string());
    }

    // As an editor long ago saved it: the cache takes a file that just changed only
    // once it holds still.
    static void Settle(const std::string& path) {
        fs::last_write_time(path, fs::file_time_type::clock::now() - 1h);
    }

    static std::vector<std::string> Codes(const MainForm& form) {
        std::vector<std::string> codes;
        for (const auto& entry : form.cbxWaveguide.Items)
            codes.push_back(entry[0]);
        return codes;
    }

    // The family picked in a wizard that reads every table afresh.
    MainForm Afresh(TProductFamily family) {
        AppState uncached = app;
        uncached.Cache = nullptr;
        MainForm fresh(uncached, platform.Seams);
        fresh.FormCreate();
        fresh.PickProductType(family);
        return fresh;
    }

    static void ExpectSameList(const MainForm& form, const MainForm& fresh) {
        EXPECT_EQ(form.cbxWaveguide.Items, fresh.cbxWaveguide.Items);
        ASSERT_EQ(form.WaveguideList.RowCount(), fresh.WaveguideList.RowCount());
        for (int row = 0; row < form.WaveguideList.RowCount(); ++row)
            EXPECT_EQ(form.WaveguideList.Line(row), fresh.WaveguideList.Line(row));
        EXPECT_EQ(form.WRColumn, fresh.WRColumn);
    }

    TableCache cache;
};

TEST_P(OfferedSizes, FollowTheTablesThroughTheCache) {
    const EditRow& row = GetParam();
    PickFamily(row.Family);
    EXPECT_EQ(Codes(Main()), row.Before);
    ExpectSameList(Main(), Afresh(row.Family));

    // A copy of the form, and the family picked again, share what was worked out.
    MainForm copy = Main();
    copy.PickProductType(pfUnknown);
    copy.PickProductType(row.Family);
    ExpectSameList(copy, Main());

    WriteTable(folder, row.Table, row.Rows);
    Settle(folder.Path() + "Data/" + row.Table);
    PickFamily(row.Family);
    EXPECT_EQ(Codes(Main()), row.After);
    ExpectSameList(Main(), Afresh(row.Family));
    EXPECT_TRUE(Messages().empty());
}

const std::vector<std::string> Wr90{"090"};

INSTANTIATE_TEST_SUITE_P(
    Families, OfferedSizes,
    ::testing::Values(
        EditRow{"CoaxByItsOwnTable",
                pfCoax,
                "CoaxVSWR.tbl",
                "Waveguide|Band|Coax|VSWR\n062|S|N|1.20:1",
                {"090", "051", "028"},
                {"062"}},
        EditRow{"StraightByItsWgvswrLetter",
                pfStraightSection,
                "WGVSWR.tbl",
                "Family|Waveguide|Band|VSWR\nR|062|S|1.05:1\nE|090|S|1.10:1",
                {"090", "062", "051", "028"},
                {"062"}},
        EditRow{"HBendByTheRowsOfEBends",
                pfHBend,
                "WGVSWR.tbl",
                "Family|Waveguide|Band|VSWR\nH|090|S|1.05:1\nE|062|S|1.10:1",
                Wr90,
                {"062"}},
        EditRow{"TaperFromItsOwnSizeTable",
                pfTaperedTransition,
                "Taper.tbl",
                "Code|Other|WR|Sizes|British|IEC\n042|062|WR42/WR62|WR42 - WR62|WG20 - "
                "WG18|R220 - R140",
                {"062", "042", "075"},
                {"042"}},
        EditRow{"StepTwistWhenTheSizeTableChanges",
                pfStepTwist,
                "WGSize.tbl",
                "Code|WR|Inside|Mil|British|IEC\n062|WR62|0.622|RG-91/U|WG18|R140",
                {"090", "062"},
                {"062"}},
        EditRow{"PressureWindowsByTheirTable",
                pfPressureWindow,
                "PressureWindows.tbl",
                "Waveguide|Flange|Window|Part Number|VSWR\n062|U|Kapton|PW062U|1.08:1",
                {"090", "062"},
                {"062"}}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing

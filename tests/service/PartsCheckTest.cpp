// The catalogue checked through its parts: each fault put into the test catalogue
// brings its own finding.
#include "PartsCheck.h"

#include "PartCatalogue.h"

#include <gtest/gtest.h>

namespace pelmora::testing {
namespace {

struct Fault {
    const char* Name;
    const char* Table;
    const char* Rows;
    CatalogueFinding::Level Severity;
    const char* Family;
    const char* Finding;
    const char* File;
    // A second table the fault needs, if any.
    const char* OtherTable = nullptr;
    const char* OtherRows = nullptr;
};

std::vector<CatalogueFinding> Check(const std::function<void(const TempFolder&)>& change) {
    TempFolder folder;
    WritePartCatalogue(folder);
    change(folder);
    TableCache cache(TableCache::ShortRun);
    AppState app;
    app.SetFolders(folder.Path());
    app.Cache = &cache;
    return service::CheckParts(app);
}

bool Has(const std::vector<CatalogueFinding>& findings, const CatalogueFinding& wanted) {
    return std::any_of(findings.begin(), findings.end(), [&](const CatalogueFinding& finding) {
        return finding.Severity == wanted.Severity && finding.File == wanted.File &&
               finding.Text == wanted.Text;
    });
}

class PartsCheck : public ::testing::TestWithParam<Fault> {};

TEST_P(PartsCheck, FindsTheFaultOnlyWhereItIs) {
    static const auto before = Check([](const TempFolder&) {});
    const Fault& fault = GetParam();
    const auto after = Check([&](const TempFolder& folder) {
        WriteTable(folder, fault.Table, fault.Rows);
        if (fault.OtherTable)
            WriteTable(folder, fault.OtherTable, fault.OtherRows);
    });
    std::vector<CatalogueFinding> added;
    for (const CatalogueFinding& finding : after) {
        if (!Has(before, finding))
            added.push_back(finding);
    }
    const bool found = std::any_of(added.begin(), added.end(), [&](const CatalogueFinding& f) {
        return f.Severity == fault.Severity && f.File == fault.File &&
               f.Text.starts_with(std::string(fault.Family) + ", ") &&
               f.Text.find(fault.Finding) != std::string::npos;
    });
    EXPECT_TRUE(found) << "new findings: " << added.size()
                       << (added.empty() ? "" : ", first: " + added.front().Text);
}

constexpr auto Error = CatalogueFinding::Error;
constexpr auto Warning = CatalogueFinding::Warning;

const Fault Faults[] = {

    // A second X band row gives two buttons with one code.
    Fault{"TwoBandsOfOneCode", "Frequency.tbl", R"(Waveguide|Band|Range
090|S|8.20 - 12.40 GHz
090|X|8.50 - 9.60 GHz
090|X|9.00 - 9.50 GHz
090|Y|9.00 - 10.00 GHz
062|S|12.40 - 18.00 GHz
051|S|15.00 - 22.00 GHz
028|S|26.50 - 40.00 GHz
042|S|18.00 - 26.50 GHz)",
          Error, "Straight Section", "composed by more than one configuration", ""},
    // A flange code of two letters shifts every field after it.
    Fault{"FlangeCodeOfTwoLetters", "Flange.tbl", R"(Code|Waveguide|Type|Model|Picture
C|090|CPR Flat|CPR-90F|cpr.gif
K|090|UG Choke|UG-40B/U|choke.gif
U|090|UG Cover|UG-39/U|missing.gif
U|062|UG Cover|UG-419/U|cover.gif
KK|062|UG Choke|UG-541/U|
U|051|UG Cover|UG-1665/U|cover.gif
U|028|UG Cover|UG-599/U|cover.gif
U|042|UG Cover|UG-595/U|cover.gif)",
          Error, "Straight Section", "do not come back to their configuration", ""},
    // A band of two letters that only the longest flexible twists offer: its
    // parts are read back although they are not those of the first length.
    Fault{"BandOfTwoLettersOnLongFlexibleTwists", "Frequency.tbl", R"(Waveguide|Band|Range
090|S|8.20 - 12.40 GHz
090|X|8.50 - 9.60 GHz
090|XX|9.00 - 9.50 GHz
090|Y|9.00 - 10.00 GHz
062|S|12.40 - 18.00 GHz
051|S|15.00 - 22.00 GHz
028|S|26.50 - 40.00 GHz
042|S|18.00 - 26.50 GHz)",
          Error, "Flexible Twist", "do not come back to their configuration", "", "FlexVSWR.tbl",
          R"(Waveguide|Band|Class|VSWR
090|S|12|1.10:1
090|S|24|1.15:1
090|XX|24|1.12:1
090|S|6|1.05:1
090|S|18|1.13:1)"},
    Fault{"PriceRowForgotten", "RigidTwistPrice.tbl", R"(W|Band|D|Price|Delivery|Limit|Paint
090|X|twist|210.00|2 weeks|0|20.00)",
          Error, "90 Rigid Twist", "without a price", "RigidTwistPrice.tbl"},
    Fault{"NoQuantityForDelivery", "RigidTwistPrice.tbl", R"(W|Band|D|Price|Delivery|Limit|Paint
090|S|twist|200.00|2 weeks|0|20.00)",
          Warning, "90 Rigid Twist", "without a delivery time", "RigidTwistPrice.tbl"},
    // A bend priced model by model, the longer leg A at less than the shorter.
    Fault{"LongerLegsCheaper", "EBendPrice.tbl", R"(W|Model|Price|Delivery|Limit
090|E090PU020U020SG|200.00|2 weeks|10
090|E090PU030U020SG|150.00|2 weeks|10)",
          Warning, "E Bend", "cheaper than the same configuration with a shorter length",
          "EBendPrice.tbl"},
    // A long-leg charge below zero is no price: the long-leg parts show N/A.
    Fault{"NegativeLongLegCharge", "MiterBendPrice.tbl",
          "W|D|Base|Delivery|Limit|Long|Paint|Band|Threshold\n"
          "090|miter|180.00|3 weeks|10|-40.00|20.00|30.00|5.0",
          Error, "Miter H", "without a price", "MiterBendPrice.tbl"}};

INSTANTIATE_TEST_SUITE_P(TestCatalogue, PartsCheck, ::testing::ValuesIn(Faults),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace pelmora::testing

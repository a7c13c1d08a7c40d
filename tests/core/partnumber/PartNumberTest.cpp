#include "partnumber/PartNumber.h"

#include "catalogue/Family.h"
#include "catalogue/Numbers.h"
#include "catalogue/TableSource.h"
#include "support/FakeMessageBoxes.h"
#include "support/TestCatalogue.h"

#include <gtest/gtest.h>
#include <optional>

namespace pelmora {
namespace {

using testing::FakeMessageBoxes;

struct FieldCase {
    const char* name;
    const char* partNumber;
    TProductFamily family;
    TPartNumberField field;
    const char* expected;
    friend void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.name; }
};

class ExtractField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ExtractField, CutsTheFixedPositionsOfTheFamily) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(ExtractPartNumberField(c.partNumber, c.family, c.field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ExtractField,
    ::testing::Values(
        FieldCase{"CoaxFlangeA", "C090CNSG", pfCoax, pnfFlangeA, "C"},
        FieldCase{"CoaxCoaxType", "C090CNSG", pfCoax, pnfFlangeB, "N"},
        FieldCase{"CoaxBand", "C090CNSG", pfCoax, pnfBand, "S"},
        FieldCase{"CoaxFinish", "C090CNSG", pfCoax, pnfFinish, "G"},
        FieldCase{"CoaxUnits", "C090CNSG", pfCoax, pnfUnits, "N"},
        FieldCase{"CoaxNoLength", "C090CNSG", pfCoax, pnfLength, ""},
        FieldCase{"TaperFlangeB", "T062UCG", pfTaperedTransition, pnfFlangeB, "C"},
        FieldCase{"TaperFinish", "T062UCG", pfTaperedTransition, pnfFinish, "G"},
        FieldCase{"TaperNoBand", "T062UCG", pfTaperedTransition, pnfBand, ""},
        FieldCase{"BendWaveguide", "E090PC060K090SG", pfEBend, pnfWaveguide, "090"},
        FieldCase{"BendUnits", "E090PC060K090SG", pfEBend, pnfUnits, "P"},
        FieldCase{"BendFlangeA", "E090PC060K090SG", pfEBend, pnfFlangeA, "C"},
        FieldCase{"BendLegA", "E090PC060K090SG", pfEBend, pnfLength, "060"},
        FieldCase{"BendFlangeB", "E090PC060K090SG", pfEBend, pnfFlangeB, "K"},
        FieldCase{"BendLegB", "E090PC060K090SG", pfEBend, pnfLegBLength, "090"},
        FieldCase{"BendBand", "E090PC060K090SG", pfEBend, pnfBand, "S"},
        FieldCase{"BendFinish", "E090PC060K090SG", pfEBend, pnfFinish, "G"},
        FieldCase{"FlexLength", "F090PC0120KS", pfFlexTwist, pnfLength, "0120"},
        FieldCase{"FlexBand", "F090PC0120KS", pfFlexTwist, pnfBand, "S"},
        FieldCase{"FlexNoFinish", "F090PC0120KS", pfFlexTwist, pnfFinish, ""},
        FieldCase{"FlexNoLegB", "F090PC0120KS", pfFlexTwist, pnfLegBLength, ""},
        FieldCase{"StraightFlangeB", "R090MC0305USG", pfStraightSection, pnfFlangeB, "U"},
        FieldCase{"StraightFinish", "R090MC0305USG", pfStraightSection, pnfFinish, "G"},
        FieldCase{"StraightUnits", "R090MC0305USG", pfStraightSection, pnfUnits, "M"},
        FieldCase{"StepTwistWaveguide", "ST090SX", pfStepTwist, pnfStepTwistWaveguide, "90S"},
        FieldCase{"StepTwistWaveguideShort", "ST090S", pfUnknown, pnfStepTwistWaveguide, "090"},
        FieldCase{"WindowUnits", "PW090C", pfPressureWindow, pnfUnits, "N"},
        FieldCase{"TruncatedFinish", "R090PC01", pfStraightSection, pnfFinish, ""},
        FieldCase{"TruncatedLength", "R090PC01", pfStraightSection, pnfLength, "01"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeLength, WritesTenthsOrMillimetresZeroFilled) {
    FakeMessageBoxes messages;
    EXPECT_EQ(EncodeLength("12.0", pfStraightSection, messages), "0120");
    EXPECT_EQ(EncodeLength("12.0", pfEBend, messages), "120");
    EXPECT_EQ(EncodeLength("305", pfFlexTwist, messages), "0305");
    EXPECT_EQ(EncodeLength("6.0", pfMiterH, messages), "060");
    EXPECT_EQ(EncodeLength("1000", pfEBend, messages), "1000");
    EXPECT_EQ(EncodeLength("100.0", pfMiterE, messages), "1000");
    EXPECT_TRUE(messages.Log.empty());
}

struct PlainLengthCase {
    const char* name;
    const char* text;
    TProductFamily family;
    // Empty: left to EncodeLength.
    std::optional<std::string> digits;
};

class PlainLengthMatchesTest : public ::testing::TestWithParam<PlainLengthCase> {};

// Wherever the plain comparison answers, it answers as EncodeLength does: true for
// the digits EncodeLength writes, false for digits one zero or one digit apart.
TEST_P(PlainLengthMatchesTest, AgreesWithEncodeLength) {
    const PlainLengthCase& c = GetParam();
    if (!c.digits) {
        EXPECT_EQ(PlainLengthMatches(c.text, c.family, "000"), std::nullopt);
        return;
    }
    const std::string& digits = *c.digits;
    EXPECT_EQ(PlainLengthMatches(c.text, c.family, digits), true);
    std::string lastChanged = digits;
    lastChanged.back() =
        lastChanged.back() == '9' ? '8' : static_cast<char>(lastChanged.back() + 1);
    for (const std::string& other : {"0" + digits, digits + "0", digits.substr(1), lastChanged})
        EXPECT_EQ(PlainLengthMatches(c.text, c.family, other), false) << other;
    FakeMessageBoxes messages;
    EXPECT_EQ(digits, EncodeLength(c.text, c.family, messages));
    EXPECT_TRUE(messages.Log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PlainLengthMatchesTest,
    ::testing::Values(
        PlainLengthCase{"Tenths", "12.5", pfEBend, "125"},
        PlainLengthCase{"TenthsZeroFilledToFour", "12.5", pfStraightSection, "0125"},
        PlainLengthCase{"Millimetres", "305", pfFlexTwist, "0305"},
        PlainLengthCase{"LeadingZeros", "0.05", pfMiterH, "005"},
        PlainLengthCase{"Zero", "0", pfEBend, "000"},
        PlainLengthCase{"PointAtEnd", "5.", pfEBend, "005"},
        PlainLengthCase{"PointFirst", ".5", pfEBend, "005"},
        PlainLengthCase{"WiderThanTheWidth", "100.0", pfMiterE, "1000"},
        PlainLengthCase{"EighteenDigits", "123456789012345678", pfEBend, "123456789012345678"},
        PlainLengthCase{"TooManyDigits", "1234567890123456789", pfEBend, std::nullopt},
        PlainLengthCase{"TwoPoints", "12.5.0", pfEBend, std::nullopt},
        PlainLengthCase{"OnlyAPoint", ".", pfEBend, std::nullopt},
        PlainLengthCase{"Empty", "", pfEBend, std::nullopt},
        PlainLengthCase{"Blank", " 12", pfEBend, std::nullopt},
        PlainLengthCase{"Signed", "-5", pfEBend, std::nullopt},
        PlainLengthCase{"Exponent", "1e3", pfEBend, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeLength, TextThatIsNoIntegerWithoutItsPointIsRefused) {
    for (const char* text : {"1e3", "12.5.0", "abc", ""}) {
        FakeMessageBoxes messages;
        EXPECT_EQ(EncodeLength(text, pfStraightSection, messages), "") << text;
        ASSERT_EQ(messages.Log.size(), 1u) << text;
        EXPECT_EQ(messages.Log[0].Text, "Please enter a valid Length value.");
    }
}

TEST(DecodeLengthField, ReadsTenthsWithTheImpliedPoint) {
    EXPECT_DOUBLE_EQ(DecodeLengthField("0120", true).value(), 12.0);
    EXPECT_DOUBLE_EQ(DecodeLengthField("0121", true).value(), 12.1);
    EXPECT_DOUBLE_EQ(DecodeLengthField("0305", false).value(), 305.0);
}

// A length field is digits only: a sign, a point or an exponent would let a part
// number carry any length at all.
TEST(DecodeLengthField, IsNoLengthUnlessAllDigits) {
    for (const char* text :
         {"", "01x0", "3E17", "-1E9", "9E99", "1E11", " 120", "+120", "12.0", "0x10"})
        EXPECT_FALSE(DecodeLengthField(text, true).has_value()) << text;
}

// A bend's legs move with their flanges: the Choke on the 6.0 in leg stays on it.
TEST(SortFlangePair, OrdersOnlyBendsFlexibleTwistsAndStraightSections) {
    EXPECT_EQ(SortFlangePair("E090PK060C090SG", pfEBend), "E090PC090K060SG");
    EXPECT_EQ(SortFlangePair("H090PK060C090SG", pfHBend), "H090PC090K060SG");
    EXPECT_EQ(SortFlangePair("E090PU060A090AN", pfEBend), "E090PA090U060AN");
    EXPECT_EQ(SortFlangePair("E090PC060K090SG", pfEBend), "E090PC060K090SG");
    EXPECT_EQ(SortFlangePair("R090PU0120CSG", pfStraightSection), "R090PC0120USG");
    EXPECT_EQ(SortFlangePair("F090PK0120CS", pfFlexTwist), "F090PC0120KS");
    EXPECT_EQ(SortFlangePair("M090PK060C060SG", pfMiterH), "M090PK060C060SG");
    EXPECT_EQ(SortFlangePair("D090KCSG", pfRigidTwist), "D090KCSG");
    EXPECT_EQ(SortFlangePair("R090PU", pfStraightSection), "R090PU");
}

TEST(IsNumericText, FollowsTheDecimalPointRules) {
    EXPECT_TRUE(IsNumericText("12.5"));
    EXPECT_TRUE(IsNumericText(" 12 "));
    EXPECT_TRUE(IsNumericText("1e3"));
    EXPECT_TRUE(IsNumericText("12."));
    EXPECT_FALSE(IsNumericText("."));
    EXPECT_FALSE(IsNumericText(""));
    EXPECT_FALSE(IsNumericText("12,5"));
    EXPECT_FALSE(IsNumericText("inf"));
    EXPECT_FALSE(IsNumericText("abc"));
}

TEST(ClassifyFamily, ByFirstLetterElseByTheStepTwistTable) {
    testing::TempFolder folder;
    testing::WriteTestCatalogue(folder);
    FakeMessageBoxes messages;
    const TableSource tables{folder.Path() + "Data/", messages};
    EXPECT_EQ(ClassifyFamily("", tables), pfUnknown);
    EXPECT_EQ(ClassifyFamily("R090PC0120USG", tables), pfStraightSection);
    EXPECT_EQ(ClassifyFamily("Rubbish", tables), pfStraightSection);
    EXPECT_EQ(ClassifyFamily("C", tables), pfCoax);
    EXPECT_EQ(ClassifyFamily("N090", tables), pfMiterE);
    EXPECT_EQ(ClassifyFamily("r090PC0120USG", tables), pfUnknown);
    EXPECT_EQ(ClassifyFamily("ST090A", tables), pfStepTwist);
    EXPECT_EQ(ClassifyFamily("st090a", tables), pfUnknown);
    EXPECT_EQ(ClassifyFamily("Part Number", tables), pfStepTwist) << "the header row";
    EXPECT_EQ(ClassifyFamily("PW090C", tables), pfUnknown);
    EXPECT_TRUE(messages.Log.empty());
}

} // namespace
} // namespace pelmora

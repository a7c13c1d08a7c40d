#include "PriceQuote.h"

#include "catalogue/Errors.h"
#include "catalogue/Numbers.h"
#include "catalogue/PriceCell.h"
#include "catalogue/TableSource.h"
#include "partnumber/PartNumber.h"

#include <cmath>
#include <initializer_list>
#include <optional>

namespace pelmora {

namespace {

// A negative, tiny or huge cell would price silently wrong, or as no price at all.
Money MoneyCell(const TTxtTable& table, int row, int column) {
    const std::string_view text = table.FieldView(row, column);
    const PriceCell cell = ReadPriceCell(text);
    if (cell.Kind == PriceCellKind::NotANumber)
        throw ConversionError::NotANumber(std::string(text));
    if (cell.Kind != PriceCellKind::Amount)
        throw ConversionError::OutOfRange(std::string(text));
    return cell.Amount;
}

// The sum of a price's parts; an amount no price can be is refused, never wrapped.
Money Total(std::initializer_list<Money> parts) {
    Money total = 0;
    for (const Money part : parts) {
        const auto sum = AddMoney(total, part);
        if (!sum)
            throw ConversionError::PriceTooLarge();
        total = *sum;
    }
    return total;
}

int IntegerCell(const TTxtTable& table, int row, int column) {
    const std::string_view text = table.FieldView(row, column);
    const auto value = ParseInteger(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        throw ConversionError::NotAnInteger(std::string(text));
    return static_cast<int>(*value);
}

double NumberCell(const TTxtTable& table, int row, int column) {
    const std::string_view text = table.FieldView(row, column);
    const auto value = ParseNumber(text);
    if (!value)
        throw ConversionError::NotANumber(std::string(text));
    return *value;
}

// Delivery text and its quantity limit from two neighbouring columns.
PriceQuote Quote(const TTxtTable& table, int row, Money price, int textColumn) {
    return SetQuote(price, table.GetField(row, textColumn),
                    IntegerCell(table, row, textColumn + 1));
}

std::string Field(const std::string& partNumber, TProductFamily family, TPartNumberField field) {
    return ExtractPartNumberField(partNumber, family, field);
}

// A length field of its full width, as tenths of an inch in imperial part numbers
// and whole millimetres in metric ones; nothing when it is no such field.
std::optional<double> Length(const std::string& digits, size_t width, bool imperial) {
    if (digits.size() != width)
        return std::nullopt;
    return DecodeLengthField(digits, imperial);
}

std::optional<double> Inches(const std::string& digits, size_t width, const std::string& units) {
    const auto value = Length(digits, width, units == "P");
    if (!value)
        return std::nullopt;
    return units == "P" ? *value : MmToInches(*value);
}

} // namespace

PriceQuote SetQuote(Money price, std::string deliveryText, int limit) {
    return {price, std::move(deliveryText), limit};
}

PriceQuote QuoteStraightSection(const TableSource& tables, const std::string& partNumber) {
    const TProductFamily family = pfStraightSection;
    const std::string waveguide = Field(partNumber, family, pnfWaveguide);
    const std::string length = Field(partNumber, family, pnfLength);
    const std::string finish = Field(partNumber, family, pnfFinish);
    const std::string units = Field(partNumber, family, pnfUnits);

    const auto inches = Inches(length, 4, units);
    if (!inches)
        return {};
    const TableRef rows = tables.Load("StraightSectionPrice.tbl");
    const TTxtTable& table = *rows;
    for (const int row : table.RowsWhere(1, waveguide)) {
        const Money base = MoneyCell(table, row, 2);
        PriceQuote quote = Quote(table, row, 0, 5);
        const Money perFoot = MoneyCell(table, row, 3);
        // A started foot counts whole; 12.0 in is one foot, 12.1 in two. Four
        // digits keep it below 834 feet.
        const auto wholeFeet = static_cast<Money>(std::ceil(*inches / 12.0));
        const auto lengthCost = MultiplyMoney(perFoot, wholeFeet);
        if (!lengthCost)
            throw ConversionError::PriceTooLarge();
        const Money paint = finish == "G" ? MoneyCell(table, row, 4) : 0;
        quote.Price = Total({base, *lengthCost, paint});
        return quote;
    }
    return {};
}

PriceQuote QuoteRigidTwist(const TableSource& tables, const std::string& partNumber) {
    const std::string waveguide = Field(partNumber, pfRigidTwist, pnfWaveguide);
    const std::string band = Field(partNumber, pfRigidTwist, pnfBand);
    const std::string finish = Field(partNumber, pfRigidTwist, pnfFinish);
    const TableRef rows = tables.Load("RigidTwistPrice.tbl");
    const TTxtTable& table = *rows;
    for (const int row : table.RowsWhere(1, waveguide)) {
        if (table.FieldView(row, 2) == band) {
            const Money paint = finish == "G" ? MoneyCell(table, row, 7) : 0;
            return Quote(table, row, Total({MoneyCell(table, row, 4), paint}), 5);
        }
    }
    return {};
}

PriceQuote QuoteTaperedTransition(const TableSource& tables, const std::string& partNumber) {
    const std::string code = Field(partNumber, pfTaperedTransition, pnfWaveguide);
    const std::string finish = Field(partNumber, pfTaperedTransition, pnfFinish);
    const TableRef rows = tables.Load("TaperedTransitionPrice.tbl");
    const TTxtTable& table = *rows;
    const std::vector<int>& matches = table.RowsWhere(1, code);
    if (matches.empty())
        return {};
    const int row = matches.front();
    const Money paint = finish == "G" ? MoneyCell(table, row, 6) : 0;
    return Quote(table, row, Total({MoneyCell(table, row, 3), paint}), 4);
}

PriceQuote QuoteCoax(const TableSource& tables, const std::string& partNumber) {
    const std::string waveguide = Field(partNumber, pfCoax, pnfWaveguide);
    const std::string band = Field(partNumber, pfCoax, pnfBand);
    const TableRef rows = tables.Load("CoaxPrice.tbl");
    const TTxtTable& table = *rows;
    for (const int row : table.RowsWhere(1, waveguide)) {
        if (table.FieldView(row, 2) == band)
            return Quote(table, row, MoneyCell(table, row, 4), 5);
    }
    return {};
}

PriceQuote QuoteFlexTwist(const TableSource& tables, const std::string& partNumber) {
    const std::string waveguide = Field(partNumber, pfFlexTwist, pnfWaveguide);
    const std::string units = Field(partNumber, pfFlexTwist, pnfUnits);
    const std::string length = Field(partNumber, pfFlexTwist, pnfLength);
    // The table tells only the full band "S" from all the narrow ones, "#".
    const std::string bandClass = Field(partNumber, pfFlexTwist, pnfBand) == "S" ? "S" : "#";
    const TableRef rows = tables.Load("FlexTwistPrice.tbl");
    const TTxtTable& table = *rows;
    for (const int row : table.RowsWhere(1, waveguide)) {
        if (table.FieldView(row, 2) == units && table.FieldView(row, 4) == bandClass &&
            table.FieldView(row, 3) == length)
            return Quote(table, row, MoneyCell(table, row, 6), 7);
    }
    return {};
}

PriceQuote QuoteMiterBend(const TableSource& tables, const std::string& partNumber,
                          TProductFamily family) {
    const std::string legA = Field(partNumber, family, pnfLength);
    const std::string legB = Field(partNumber, family, pnfLegBLength);
    const std::string waveguide = Field(partNumber, family, pnfWaveguide);
    const std::string finish = Field(partNumber, family, pnfFinish);
    const std::string band = Field(partNumber, family, pnfBand);
    const std::string units = Field(partNumber, family, pnfUnits);

    const bool imperial = units == "P";
    const auto legALength = Length(legA, 3, imperial);
    const auto legBLength = Length(legB, 3, imperial);
    if (!legALength || !legBLength)
        return {};
    const double legSum =
        imperial ? *legALength + *legBLength : MmToInches(*legALength + *legBLength);

    const TableRef rows = tables.Load("MiterBendPrice.tbl");
    const TTxtTable& table = *rows;
    for (const int row : table.RowsWhere(1, waveguide)) {
        const Money base = MoneyCell(table, row, 3);
        PriceQuote quote = Quote(table, row, 0, 4);
        const Money paint = finish == "G" ? MoneyCell(table, row, 7) : 0;
        const Money bandSurcharge = band != "S" ? MoneyCell(table, row, 8) : 0;
        const double threshold = NumberCell(table, row, 9);
        const Money longLeg = legSum > threshold ? MoneyCell(table, row, 6) : 0;
        quote.Price = Total({base, paint, bandSurcharge, longLeg});
        return quote;
    }
    return {};
}

PriceQuote QuoteBend(const TableSource& tables, const std::string& partNumber,
                     TProductFamily family) {
    const std::string waveguide = Field(partNumber, family, pnfWaveguide);
    const std::string finish = Field(partNumber, family, pnfFinish);
    const std::string band = Field(partNumber, family, pnfBand);
    const std::string units = Field(partNumber, family, pnfUnits);
    const std::string legA = Field(partNumber, family, pnfLength);
    const std::string legB = Field(partNumber, family, pnfLegBLength);

    const TableRef rows = tables.Load(family == pfEBend ? "EBendPrice.tbl" : "HBendPrice.tbl");
    const TTxtTable& table = *rows;
    const std::vector<std::string_view>& models = table.Column(2);
    for (const int row : table.RowsWhere(1, waveguide)) {
        // The model is a complete bend part number; a shorter text matches nothing.
        constexpr size_t ModelLength = 15;
        const std::string_view model = models[static_cast<size_t>(row)];
        if (model.size() < ModelLength)
            continue;
        if (model.substr(model.size() - 1) == finish && model.substr(model.size() - 2, 1) == band &&
            model.substr(4, 1) == units && model.substr(6, 3) == legA &&
            model.substr(10, 3) == legB)
            return Quote(table, row, MoneyCell(table, row, 3), 4);
    }
    return {};
}

PriceQuote QuoteStepTwist(const TableSource& tables, const std::string& partNumber) {
    const TableRef rows = tables.Load("StepTwistPrice.tbl");
    const TTxtTable& table = *rows;
    const std::vector<int>& matches = table.RowsWhere(1, partNumber);
    return matches.empty()
               ? PriceQuote{}
               : SetQuote(MoneyCell(table, matches.front(), 2), "Contact Corvane Rep.", 0);
}

PriceQuote QuoteFamily(const TableSource& tables, const std::string& partNumber,
                       TProductFamily family) {
    switch (family) {
    case pfCoax:
        return QuoteCoax(tables, partNumber);
    case pfRigidTwist:
        return QuoteRigidTwist(tables, partNumber);
    case pfEBend:
    case pfHBend:
        return QuoteBend(tables, partNumber, family);
    case pfFlexTwist:
        return QuoteFlexTwist(tables, partNumber);
    case pfMiterH:
    case pfMiterE:
        return QuoteMiterBend(tables, partNumber, family);
    case pfStraightSection:
        return QuoteStraightSection(tables, partNumber);
    case pfStepTwist:
        return QuoteStepTwist(tables, partNumber);
    case pfTaperedTransition:
        return QuoteTaperedTransition(tables, partNumber);
    case pfPressureWindow:
    case pfUnknown:
        break;
    }
    return {};
}

} // namespace pelmora

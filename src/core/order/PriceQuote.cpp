#include "PriceQuote.h"

#include "catalogue/Errors.h"
#include "catalogue/Numbers.h"
#include "catalogue/PriceCell.h"
#include "catalogue/TableSource.h"
#include "partnumber/PartNumber.h"

#include <cmath>
#include <initializer_list>

namespace pelmora {

namespace {

// One past the last column any price table is read at.
constexpr size_t PriceColumns = 10;

std::string Field(const std::string& partNumber, TProductFamily family, TPartNumberField field) {
    return ExtractPartNumberField(partNumber, family, field);
}

// The text the rows are found by: the size, or for step twists, listed part by
// part, the part number itself.
std::string KeyOf(TProductFamily family, const std::string& partNumber) {
    return family == pfStepTwist ? partNumber : Field(partNumber, family, pnfWaveguide);
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

const char* PriceTable(TProductFamily family) {
    switch (family) {
    case pfCoax:
        return "CoaxPrice.tbl";
    case pfRigidTwist:
        return "RigidTwistPrice.tbl";
    case pfEBend:
        return "EBendPrice.tbl";
    case pfHBend:
        return "HBendPrice.tbl";
    case pfFlexTwist:
        return "FlexTwistPrice.tbl";
    case pfMiterH:
    case pfMiterE:
        return "MiterBendPrice.tbl";
    case pfStraightSection:
        return "StraightSectionPrice.tbl";
    case pfStepTwist:
        return "StepTwistPrice.tbl";
    case pfTaperedTransition:
        return "TaperedTransitionPrice.tbl";
    case pfPressureWindow:
    case pfUnknown:
        break;
    }
    return nullptr;
}

// Each column is read as one kind of value, so one slot per kind is enough.
struct PriceSheet::Cell {
    std::optional<PriceCell> Amount;
    std::optional<std::optional<long long>> Integer;
    std::optional<std::optional<double>> Number;
};

PriceQuote SetQuote(Money price, std::string deliveryText, int limit) {
    return {price, std::move(deliveryText), limit};
}

PriceSheet::PriceSheet(const TableSource& tables, TProductFamily family,
                       const std::string& partNumber)
    : family_(family), key_(KeyOf(family, partNumber)) {
    const char* name = PriceTable(family);
    if (!name)
        return;
    table_ = tables.Load(name);
    rows_ = table_->RowsWhere(1, key_);
    cells_.resize(rows_.size());
}

PriceSheet::~PriceSheet() = default;

bool PriceSheet::Covers(TProductFamily family, const std::string& partNumber) const {
    return family == family_ && KeyOf(family, partNumber) == key_;
}

std::string_view PriceSheet::Text(size_t slot, int column) const {
    return table_->FieldView(rows_[slot], column);
}

PriceSheet::Cell& PriceSheet::At(size_t slot, int column) {
    std::vector<Cell>& row = cells_[slot];
    if (row.empty())
        row.resize(PriceColumns);
    return row.at(static_cast<size_t>(column));
}

// A negative, tiny or huge cell would price silently wrong, or as no price at all.
Money PriceSheet::MoneyAt(size_t slot, int column) {
    Cell& cell = At(slot, column);
    if (!cell.Amount)
        cell.Amount = ReadPriceCell(Text(slot, column));
    if (cell.Amount->Kind == PriceCellKind::NotANumber)
        throw ConversionError::NotANumber(std::string(Text(slot, column)));
    if (cell.Amount->Kind != PriceCellKind::Amount)
        throw ConversionError::OutOfRange(std::string(Text(slot, column)));
    return cell.Amount->Amount;
}

int PriceSheet::IntegerAt(size_t slot, int column) {
    Cell& cell = At(slot, column);
    if (!cell.Integer)
        cell.Integer = ParseInteger(Text(slot, column));
    const std::optional<long long>& value = *cell.Integer;
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        throw ConversionError::NotAnInteger(std::string(Text(slot, column)));
    return static_cast<int>(*value);
}

double PriceSheet::NumberAt(size_t slot, int column) {
    Cell& cell = At(slot, column);
    if (!cell.Number)
        cell.Number = ParseNumber(Text(slot, column));
    if (!*cell.Number)
        throw ConversionError::NotANumber(std::string(Text(slot, column)));
    return **cell.Number;
}

PriceQuote PriceSheet::DeliveryAt(size_t slot, Money price, int textColumn) {
    return SetQuote(price, std::string(Text(slot, textColumn)), IntegerAt(slot, textColumn + 1));
}

PriceQuote PriceSheet::Quote(const std::string& partNumber) {
    switch (family_) {
    case pfCoax:
        return QuoteCoax(partNumber);
    case pfRigidTwist:
        return QuoteRigidTwist(partNumber);
    case pfEBend:
    case pfHBend:
        return QuoteBend(partNumber);
    case pfFlexTwist:
        return QuoteFlexTwist(partNumber);
    case pfMiterH:
    case pfMiterE:
        return QuoteMiterBend(partNumber);
    case pfStraightSection:
        return QuoteStraightSection(partNumber);
    case pfStepTwist:
        return QuoteStepTwist();
    case pfTaperedTransition:
        return QuoteTaperedTransition(partNumber);
    case pfPressureWindow:
    case pfUnknown:
        break;
    }
    return {};
}

PriceQuote PriceSheet::QuoteStraightSection(const std::string& partNumber) {
    const TProductFamily family = pfStraightSection;
    const std::string length = Field(partNumber, family, pnfLength);
    const std::string finish = Field(partNumber, family, pnfFinish);
    const std::string units = Field(partNumber, family, pnfUnits);

    const auto inches = Inches(length, 4, units);
    if (!inches || rows_.empty())
        return {};
    const Money base = MoneyAt(0, 2);
    PriceQuote quote = DeliveryAt(0, 0, 5);
    const Money perFoot = MoneyAt(0, 3);
    // A started foot counts whole; 12.0 in is one foot, 12.1 in two. Four digits
    // keep it below 834 feet.
    const auto wholeFeet = static_cast<Money>(std::ceil(*inches / 12.0));
    const auto lengthCost = MultiplyMoney(perFoot, wholeFeet);
    if (!lengthCost)
        throw ConversionError::PriceTooLarge();
    const Money paint = finish == "G" ? MoneyAt(0, 4) : 0;
    quote.Price = Total({base, *lengthCost, paint});
    return quote;
}

PriceQuote PriceSheet::QuoteRigidTwist(const std::string& partNumber) {
    const std::string band = Field(partNumber, pfRigidTwist, pnfBand);
    const std::string finish = Field(partNumber, pfRigidTwist, pnfFinish);
    for (size_t slot = 0; slot < rows_.size(); ++slot) {
        if (Text(slot, 2) == band) {
            const Money paint = finish == "G" ? MoneyAt(slot, 7) : 0;
            return DeliveryAt(slot, Total({MoneyAt(slot, 4), paint}), 5);
        }
    }
    return {};
}

PriceQuote PriceSheet::QuoteTaperedTransition(const std::string& partNumber) {
    const std::string finish = Field(partNumber, pfTaperedTransition, pnfFinish);
    if (rows_.empty())
        return {};
    const Money paint = finish == "G" ? MoneyAt(0, 6) : 0;
    return DeliveryAt(0, Total({MoneyAt(0, 3), paint}), 4);
}

PriceQuote PriceSheet::QuoteCoax(const std::string& partNumber) {
    const std::string band = Field(partNumber, pfCoax, pnfBand);
    for (size_t slot = 0; slot < rows_.size(); ++slot) {
        if (Text(slot, 2) == band)
            return DeliveryAt(slot, MoneyAt(slot, 4), 5);
    }
    return {};
}

PriceQuote PriceSheet::QuoteFlexTwist(const std::string& partNumber) {
    const std::string units = Field(partNumber, pfFlexTwist, pnfUnits);
    const std::string length = Field(partNumber, pfFlexTwist, pnfLength);
    // The table tells only the full band "S" from all the narrow ones, "#".
    const std::string bandClass = Field(partNumber, pfFlexTwist, pnfBand) == "S" ? "S" : "#";
    for (size_t slot = 0; slot < rows_.size(); ++slot) {
        if (Text(slot, 2) == units && Text(slot, 4) == bandClass && Text(slot, 3) == length)
            return DeliveryAt(slot, MoneyAt(slot, 6), 7);
    }
    return {};
}

PriceQuote PriceSheet::QuoteMiterBend(const std::string& partNumber) {
    const std::string legA = Field(partNumber, family_, pnfLength);
    const std::string legB = Field(partNumber, family_, pnfLegBLength);
    const std::string finish = Field(partNumber, family_, pnfFinish);
    const std::string band = Field(partNumber, family_, pnfBand);
    const std::string units = Field(partNumber, family_, pnfUnits);

    const bool imperial = units == "P";
    const auto legALength = Length(legA, 3, imperial);
    const auto legBLength = Length(legB, 3, imperial);
    if (!legALength || !legBLength || rows_.empty())
        return {};
    const double legSum =
        imperial ? *legALength + *legBLength : MmToInches(*legALength + *legBLength);

    const Money base = MoneyAt(0, 3);
    PriceQuote quote = DeliveryAt(0, 0, 4);
    const Money paint = finish == "G" ? MoneyAt(0, 7) : 0;
    const Money bandSurcharge = band != "S" ? MoneyAt(0, 8) : 0;
    const double threshold = NumberAt(0, 9);
    const Money longLeg = legSum > threshold ? MoneyAt(0, 6) : 0;
    quote.Price = Total({base, paint, bandSurcharge, longLeg});
    return quote;
}

std::optional<size_t> PriceSheet::BendModel(const std::string& key) {
    // The model is a complete bend part number; a shorter text matches nothing. Its
    // key: finish, band, units and the two leg lengths.
    constexpr size_t ModelLength = 15;
    const std::vector<std::string_view>& models = table_->Column(2);
    auto keyOf = [](std::string_view model) {
        std::string key{model.back(), model[model.size() - 2], model[4]};
        key += model.substr(6, 3);
        key += model.substr(10, 3);
        return key;
    };
    // A single lookup scans; a sheet asked again indexes the models once.
    if (!bendQuoted_) {
        bendQuoted_ = true;
        for (size_t slot = 0; slot < rows_.size(); ++slot) {
            const std::string_view model = models[static_cast<size_t>(rows_[slot])];
            if (model.size() >= ModelLength && keyOf(model) == key)
                return slot;
        }
        return std::nullopt;
    }
    if (bendIndex_.empty()) {
        for (size_t slot = 0; slot < rows_.size(); ++slot) {
            const std::string_view model = models[static_cast<size_t>(rows_[slot])];
            if (model.size() >= ModelLength)
                bendIndex_.emplace(keyOf(model), slot);
        }
    }
    const auto found = bendIndex_.find(key);
    return found == bendIndex_.end() ? std::nullopt : std::optional(found->second);
}

PriceQuote PriceSheet::QuoteBend(const std::string& partNumber) {
    const std::string finish = Field(partNumber, family_, pnfFinish);
    const std::string band = Field(partNumber, family_, pnfBand);
    const std::string units = Field(partNumber, family_, pnfUnits);
    const std::string legA = Field(partNumber, family_, pnfLength);
    const std::string legB = Field(partNumber, family_, pnfLegBLength);
    // Fields of other widths match no model.
    if (finish.size() != 1 || band.size() != 1 || units.size() != 1 || legA.size() != 3 ||
        legB.size() != 3 || rows_.empty())
        return {};
    const auto slot = BendModel(finish + band + units + legA + legB);
    return slot ? DeliveryAt(*slot, MoneyAt(*slot, 3), 4) : PriceQuote{};
}

PriceQuote PriceSheet::QuoteStepTwist() {
    return rows_.empty() ? PriceQuote{} : SetQuote(MoneyAt(0, 2), "Contact Corvane Rep.", 0);
}

PriceQuote QuoteFamily(const TableSource& tables, const std::string& partNumber,
                       TProductFamily family) {
    return PriceSheet(tables, family, partNumber).Quote(partNumber);
}

PriceQuote QuoteStraightSection(const TableSource& tables, const std::string& partNumber) {
    return QuoteFamily(tables, partNumber, pfStraightSection);
}

} // namespace pelmora

#include "BandLoaders.h"

#include "catalogue/Numbers.h"

#include <algorithm>

namespace pelmora {

namespace {

// Adds every Frequency.tbl row of the size and band, with the VSWR as fourth field.
void AddRanges(const TTxtTable& frequency, const std::string& waveguide, const std::string& band,
               const std::string& vswr, TTxtTable& candidates) {
    for (const int f : frequency.RowsWhere(1, waveguide)) {
        if (frequency.FieldView(f, 2) == band)
            candidates.Lines.push_back(std::string(frequency.Line(f)) + "|" + vswr);
    }
}

double ValueOf(const std::string& text) {
    return ParseNumber(text).value_or(0.0);
}

} // namespace

void SortNumeric(std::vector<std::string>& list) {
    // Neighbour swaps only when the later entry is strictly smaller keep equal
    // values in their order; std::stable_sort gives the same result.
    std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return ValueOf(a) < ValueOf(b);
    });
}

std::shared_ptr<const BandList> WaveguideBands(const TableSource& source,
                                               const std::string& waveguide,
                                               const std::string& familyLetter) {
    const TableRef frequency = source.Load("Frequency.tbl");
    const TableRef vswr = source.Load("WGVSWR.tbl");
    // Neither a letter nor a size holds the separator of the fields they come from.
    return source.Derive<BandList>(
        "waveguide bands|" + familyLetter + "|" + waveguide, {frequency, vswr}, [&] {
            TTxtTable candidates;
            for (const int r : vswr->RowsWhere(2, waveguide)) {
                if (vswr->FieldView(r, 1) == familyLetter)
                    AddRanges(*frequency, waveguide, vswr->GetField(r, 3), vswr->GetField(r, 4),
                              candidates);
            }
            return FrequencyGroup::LayOut(candidates, 3, 4, 2);
        });
}

TTxtTable FlexTwistBandCandidates(const TableSource& source, const std::string& waveguide,
                                  const std::string& lengthInches) {
    const TableRef frequency = source.Load("Frequency.tbl");
    const TableRef vswr = source.Load("FlexVSWR.tbl");
    TTxtTable candidates;
    const auto length = ParseNumber(lengthInches);
    if (!length)
        return candidates;

    std::vector<std::string> classes;
    for (const int j : vswr->RowsWhere(1, waveguide)) {
        if (IsNumericText(vswr->GetField(j, 3)))
            classes.push_back(vswr->GetField(j, 3));
    }
    SortUnique(classes);
    classes.push_back(lengthInches);
    SortNumeric(classes);
    const auto equal = std::find_if(classes.begin(), classes.end(), [&](const std::string& entry) {
        return ValueOf(entry) == *length;
    });
    if (equal == classes.end() || equal + 1 == classes.end())
        return candidates;
    const double lengthClass = ValueOf(*(equal + 1));

    for (const int j : vswr->RowsWhere(1, waveguide)) {
        const auto value = ParseNumber(vswr->GetField(j, 3));
        if (value && *value == lengthClass)
            AddRanges(*frequency, waveguide, vswr->GetField(j, 2), vswr->GetField(j, 4),
                      candidates);
    }
    return candidates;
}

TTxtTable StepTwistBandCandidates(const TableSource& source, const std::string& waveguide) {
    const TableRef twists = source.Load("StepTwist.tbl");
    TTxtTable candidates;
    for (const int row : twists->RowsWhere(1, waveguide)) {
        candidates.Lines.push_back(twists->GetField(row, 1) + "|" + twists->GetField(row, 2) + "|" +
                                   twists->GetField(row, 3) + "|" + twists->GetField(row, 4));
    }
    return candidates;
}

TTxtTable CoaxBandCandidates(const TableSource& source, const std::string& waveguide,
                             const std::string& coaxType) {
    const TableRef frequency = source.Load("Frequency.tbl");
    const TableRef vswr = source.Load("CoaxVSWR.tbl");
    TTxtTable candidates;
    for (const int c : vswr->RowsWhere(1, waveguide)) {
        if (vswr->FieldView(c, 3) == coaxType)
            AddRanges(*frequency, waveguide, vswr->GetField(c, 2), vswr->GetField(c, 4),
                      candidates);
    }
    SortUnique(candidates.Lines);
    return candidates;
}

TTxtTable PressureWindowBandCandidates(const TableSource& source, const std::string& waveguide,
                                       const std::string& flange) {
    const TableRef windows = source.Load("PressureWindows.tbl");
    const TableRef frequency = source.Load("Frequency.tbl");
    TTxtTable candidates;
    for (const int f : frequency->RowsWhere(1, waveguide)) {
        if (frequency->FieldView(f, 2) != "S")
            continue;
        for (const int p : windows->RowsWhere(1, waveguide)) {
            if (windows->FieldView(p, 2) == flange)
                candidates.Lines.push_back(std::string(frequency->Line(f)) + "|" +
                                           windows->GetField(p, 5));
        }
    }
    return candidates;
}

} // namespace pelmora

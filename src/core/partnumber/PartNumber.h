#pragma once

#include "catalogue/Family.h"

#include <optional>
#include <string>
#include <string_view>

// The part-number grammar: the fields cut out of a part number and the length
// digits written into one.
namespace pelmora {

class MessageBoxes;

enum TPartNumberField {
    pnfFamilyLetter,
    pnfWaveguide,
    pnfFlangeA,
    pnfFlangeB,
    pnfBand,
    pnfFinish,
    pnfStepTwistWaveguide,
    pnfLength,
    pnfLegBLength,
    pnfUnits,
};

// The field at its fixed positions for the family; empty where the family has no
// such field or the text ends earlier. Families without a units letter give "N".
std::string ExtractPartNumberField(const std::string& partNumber, TProductFamily family,
                                   TPartNumberField field);

// The length text with its first "." removed, zero-filled to four digits for
// flexible twists and straight sections and to three for the others. A text that
// is then no integer shows "Please enter a valid Length value." and gives "".
std::string EncodeLength(const std::string& lengthText, TProductFamily family,
                         MessageBoxes& messages);
// Whether EncodeLength gives the digits for a text of decimal digits with at most
// one ".", which needs no message; nothing for any other text. Cheap enough to run
// over whole lists.
std::optional<bool> PlainLengthMatches(std::string_view lengthText, TProductFamily family,
                                       std::string_view digits);

// Length digits back to a number, with a "." set before the last digit when the
// digits hold tenths. A length field is decimal digits and nothing else (no sign,
// point or exponent): any other text, or an empty one, is no length.
std::optional<double> DecodeLengthField(const std::string& digits, bool impliedDecimal);

// Bends, flexible twists and straight sections carry their flange codes in
// ascending order. An E or H bend's leg lengths move with their flanges; nothing
// else moves.
std::string SortFlangePair(std::string partNumber, TProductFamily family);

} // namespace pelmora

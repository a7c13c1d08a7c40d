#include "SavedOrder.h"

#include "Money.h"
#include "OrderList.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "catalogue/WideText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace pelmora {

namespace {

constexpr std::string_view SpreadsheetHeader =
    "QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION";
constexpr std::string_view TextHeader = "  QUANTITY               PRICE    DELIVERY TIME           "
                                        "PART NUMBER             DESCRIPTION";
constexpr std::string_view XmlDeclaration = "<?xml";

using Fields = std::array<std::string, 5>;

// Why the fields are no order line, or nothing when they are one.
std::optional<std::string> Fault(const Fields& fields) {
    if (!ParseQuantity(std::string(TrimControlAndBlank(fields[0]))))
        return "the quantity \"" + fields[0] + "\" is not a whole number from 1 to 99999";
    const std::string_view price = TrimControlAndBlank(fields[1]);
    if (price != "N/A" && !IsMoneyText(price))
        return "the price \"" + fields[1] + "\" is neither an amount nor N/A";
    for (const std::string& field : fields) {
        if (field.find('|') != std::string::npos)
            return std::string("\"|\" cannot stand in an order line");
    }
    return std::nullopt;
}

std::string Joined(const Fields& fields) {
    std::string line = fields[0];
    for (size_t i = 1; i < fields.size(); ++i)
        line += "|" + fields[i];
    return line;
}

std::optional<Fields> SpreadsheetLine(std::string_view line) {
    Fields fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const size_t tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i == fields.size() - 1))
            return std::nullopt;
        fields[i] = FormulaUnguarded(line.substr(0, tab));
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return fields;
}

// A left-aligned column of the text file: at least its width, then four blanks.
// A longer value pushed the rest of the line to the right, so the value ends where
// the first run of four blanks begins.
std::optional<std::string> LeftColumn(std::string_view& line, size_t width) {
    const size_t end = line.find("    ");
    if (end == std::string_view::npos)
        return std::nullopt;
    const size_t next = std::max(end, width) + 4;
    const size_t lastText = line.substr(0, std::min(next, line.size())).find_last_not_of(' ');
    if (next > line.size() || (lastText != std::string_view::npos && lastText >= end))
        return std::nullopt;
    std::string value(line.substr(0, end));
    line.remove_prefix(next);
    return value;
}

// Quantity and price, right-aligned in 10 and 20 characters, then four blanks. A
// price of more than 20 characters meets the quantity without a blank; the
// quantity's digits end where the price begins ("$", "-" or "N/A").
std::optional<Fields> TextLine(std::string_view line) {
    Fields fields;
    const size_t at = line.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    const size_t quantityEnd = std::min(line.find_first_not_of("0123456789", at), line.size());
    const size_t priceStart = line.find_first_not_of(' ', quantityEnd);
    if (priceStart == std::string_view::npos)
        return std::nullopt;
    const size_t priceEnd = std::min(line.find(' ', priceStart), line.size());
    fields[0] = std::string(line.substr(at, quantityEnd - at));
    fields[1] = std::string(line.substr(priceStart, priceEnd - priceStart));
    if (line.substr(priceEnd, 4) != "    ")
        return std::nullopt;
    line.remove_prefix(priceEnd + 4);
    const auto delivery = LeftColumn(line, 20);
    const auto part = delivery ? LeftColumn(line, 20) : std::nullopt;
    if (!part)
        return std::nullopt;
    fields[2] = *delivery;
    fields[3] = *part;
    fields[4] = std::string(line);
    return fields;
}

std::u32string XmlUnescaped(std::string_view text) {
    std::u32string plain;
    while (!text.empty()) {
        const size_t amp = text.find('&');
        plain += CodePoints(text.substr(0, amp));
        if (amp == std::string_view::npos)
            break;
        text.remove_prefix(amp);
        const size_t semicolon = text.find(';');
        const std::string_view entity =
            semicolon == std::string_view::npos ? "" : text.substr(1, semicolon - 1);
        static constexpr std::pair<std::string_view, char32_t> Named[] = {
            {"amp", U'&'}, {"lt", U'<'}, {"gt", U'>'}, {"quot", U'"'}, {"apos", U'\''}};
        const auto named = std::find_if(std::begin(Named), std::end(Named),
                                        [&](const auto& n) { return n.first == entity; });
        unsigned code = 0;
        const bool hex = entity.starts_with("#x") || entity.starts_with("#X");
        const std::string_view digits =
            entity.starts_with('#') ? entity.substr(hex ? 2 : 1) : std::string_view();
        const bool numeric =
            !digits.empty() &&
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10)
                    .ptr == digits.data() + digits.size();
        if (named != std::end(Named)) {
            plain += named->second;
        } else if (numeric) {
            // A reference to no character stands as "?", as it always did.
            const bool character = code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            plain += character ? static_cast<char32_t>(code) : U'?';
        } else {
            // Not an entity: the older files wrote "&" as it stood.
            plain += U'&';
            text.remove_prefix(1);
            continue;
        }
        text.remove_prefix(semicolon + 1);
    }
    return plain;
}

// "<name>value</name>" on one line; the value as written between the tags.
std::optional<std::string> XmlElement(std::string_view line, std::string_view name) {
    line = TrimControlAndBlank(line);
    const std::string open = "<" + std::string(name) + ">";
    const std::string close = "</" + std::string(name) + ">";
    if (!line.starts_with(open) || !line.ends_with(close) ||
        line.size() < open.size() + close.size())
        return std::nullopt;
    return std::string(line.substr(open.size(), line.size() - open.size() - close.size()));
}

std::vector<std::string> XmlOrder(const std::vector<std::string>& lines, const std::string& file,
                                  WideDescriptions* wide) {
    // The program declares the encoding since it escapes; older files wrote raw text.
    const bool escaped = lines.front().find("encoding=") != std::string::npos;
    auto fail = [&](size_t index, const std::string& reason) {
        return SavedOrderError(file, index + 1, reason);
    };
    size_t at = 1;
    auto next = [&]() -> std::string_view {
        while (at < lines.size() && TrimControlAndBlank(lines[at]).empty())
            ++at;
        return at < lines.size() ? std::string_view(lines[at]) : std::string_view();
    };
    if (TrimControlAndBlank(next()) != "<order>")
        throw fail(at, "<order> was expected");
    ++at;
    static constexpr std::string_view Names[] = {"quantity", "price", "delivery_time",
                                                 "part_number", "description"};
    std::vector<std::string> order;
    for (;;) {
        const std::string_view tag = TrimControlAndBlank(next());
        if (tag == "</order>")
            break;
        if (tag != "<item>")
            throw fail(at, "<item> or </order> was expected");
        const size_t itemLine = ++at;
        Fields fields;
        for (size_t i = 0; i < fields.size(); ++i) {
            const auto value = XmlElement(next(), Names[i]);
            if (!value)
                throw fail(at, "<" + std::string(Names[i]) + "> was expected");
            const std::u32string text = escaped ? XmlUnescaped(*value) : CodePoints(*value);
            fields[i] = CodePageText(text);
            const std::string beyond = CharactersBeyondCodePage(text);
            if (!beyond.empty() && Names[i] != "description")
                throw fail(at, "<" + std::string(Names[i]) + "> holds " + beyond +
                                   ", which an order line cannot hold");
            if (!beyond.empty() && wide)
                (*wide)[static_cast<int>(order.size())] = {itemLine, text};
            ++at;
        }
        if (TrimControlAndBlank(next()) != "</item>")
            throw fail(at, "</item> was expected");
        ++at;
        if (const auto fault = Fault(fields))
            throw fail(itemLine - 1, *fault);
        order.push_back(Joined(fields));
    }
    for (++at; at < lines.size(); ++at) {
        if (!TrimControlAndBlank(lines[at]).empty())
            throw fail(at, "nothing may follow </order>");
    }
    return order;
}

} // namespace

std::optional<OrderFileKind> SavedOrderKind(std::string_view text) {
    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    if (first == SpreadsheetHeader)
        return SpreadsheetFile;
    if (first == TextHeader)
        return TextFile;
    if (first.starts_with(XmlDeclaration))
        return XmlFile;
    return std::nullopt;
}

std::vector<std::string> ParseSavedOrder(std::string_view text, OrderFileKind kind,
                                         const std::string& fileName, WideDescriptions* wide) {
    const std::vector<std::string> lines = SplitLines(std::string(text));
    if (lines.empty() || SavedOrderKind(text) != kind)
        throw SavedOrderError(fileName, 1, "this is no order the program saved");
    if (kind == XmlFile)
        return XmlOrder(lines, fileName, wide);

    std::vector<std::string> order;
    for (size_t index = 1; index < lines.size(); ++index) {
        const auto fields =
            kind == SpreadsheetFile ? SpreadsheetLine(lines[index]) : TextLine(lines[index]);
        if (!fields)
            throw SavedOrderError(fileName, index + 1, "this is not an order line");
        if (const auto fault = Fault(*fields))
            throw SavedOrderError(fileName, index + 1, *fault);
        order.push_back(Joined(*fields));
    }
    return order;
}

std::vector<std::string> ReadSavedOrder(const std::string& path, WideDescriptions* wide) {
    const std::string text = ReadWholeFile(path);
    const auto kind = SavedOrderKind(text);
    if (!kind)
        throw SavedOrderError(path, 1, "this is no order the program saved");
    return ParseSavedOrder(text, *kind, path, wide);
}

} // namespace pelmora

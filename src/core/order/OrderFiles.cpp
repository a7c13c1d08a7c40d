#include "OrderFiles.h"

#include "Money.h"
#include "OrderItem.h"
#include "catalogue/FileSystem.h"
#include "catalogue/TabSeparated.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"
#include "catalogue/WideText.h"

#include <string_view>
#include <vector>

namespace pelmora {

namespace {

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string LeftAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// The characters XML gives a meaning, written as entity references; the control
// characters XML 1.0 forbids, and the bytes Windows-1252 leaves undefined, left out;
// a character the code page lacks as a numeric character reference.
std::string XmlEscaped(std::u32string_view text) {
    std::string escaped;
    for (const char32_t point : text) {
        const char c = Byte1252(point);
        const auto byte = static_cast<unsigned char>(c);
        switch (point) {
        case U'&':
            escaped += "&amp;";
            break;
        case U'<':
            escaped += "&lt;";
            break;
        case U'>':
            escaped += "&gt;";
            break;
        case U'"':
            escaped += "&quot;";
            break;
        case U'\'':
            escaped += "&apos;";
            break;
        default:
            if (BeyondCodePage(point))
                escaped += "&#x" + UpperHex(point) + ";";
            else if ((byte >= 0x20 || c == '\t' || c == '\n' || c == '\r') && byte != 0x81 &&
                     byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D)
                escaped += c;
        }
    }
    return escaped;
}

// A spreadsheet takes a cell that begins with = + - or @ for a formula; customers'
// texts must stay text. The apostrophe marks a text cell and is not shown; a text
// that begins with one gets a second, so that reading the file back is exact.
std::string SpreadsheetCell(std::string field, bool programsPrice) {
    field = TabSeparatedField(std::move(field));
    return programsPrice ? field : FormulaGuarded(std::move(field));
}

} // namespace

std::string LostCharacters(const WideDescription& description, const std::string& file) {
    return "the description's " + CharactersBeyondCodePage(description.Text) +
           " cannot be written in Windows-1252; " + file + " holds \"?\" for each";
}

std::string LostCharactersMessage(const WideDescription& description, const std::string& file) {
    return "line " + std::to_string(description.Line) + ": " + LostCharacters(description, file);
}

std::string EnsureExtension(const std::string& fileName, const std::string& extension) {
    const size_t point = fileName.rfind('.');
    const std::string current = point == std::string::npos ? "" : fileName.substr(point);
    return SameTextNoCase(current, extension) ? fileName : fileName + extension;
}

namespace {

void XlsLines(const TTxtTable& orderLines, const LineWriter& write) {
    write("QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION");
    std::string line;
    for (int row = 0; row < orderLines.RowCount(); ++row) {
        // Fields as stored, untrimmed, like the line itself.
        std::string_view rest = orderLines.Lines[static_cast<size_t>(row)];
        line.clear();
        for (int field = olQuantity;; ++field) {
            const size_t bar = rest.find('|');
            const std::string text(rest.substr(0, bar));
            line += SpreadsheetCell(text, field == olPrice && IsMoneyText(text));
            if (bar == std::string_view::npos)
                break;
            line += '\t';
            rest.remove_prefix(bar + 1);
        }
        write(line);
    }
}

void TextLines(const TTxtTable& orderLines, const LineWriter& write) {
    const std::string gap(4, ' ');
    write(RightAligned("QUANTITY", 10) + RightAligned("PRICE", 20) + gap +
          LeftAligned("DELIVERY TIME", 20) + gap + LeftAligned("PART NUMBER", 20) +
          "    DESCRIPTION");
    for (int row = 0; row < orderLines.RowCount(); ++row) {
        auto field = [&](OrderLineField which) {
            return TabSeparatedField(orderLines.GetField(row, which));
        };
        write(RightAligned(field(olQuantity), 10) + RightAligned(field(olPrice), 20) + gap +
              LeftAligned(field(olDelivery), 20) + gap + LeftAligned(field(olPartNumber), 20) +
              gap + field(olDescription));
    }
}

void XmlLines(const TTxtTable& orderLines, const WideDescriptions& wide, const LineWriter& write) {
    // Descriptions carry the degree sign as byte 0xB0, so the encoding is declared.
    write("<?xml version=\"1.0\" encoding=\"windows-1252\"?>");
    write("<order>");
    auto element = [&](int row, OrderLineField field, const char* name) {
        const auto given = wide.find(row);
        const std::u32string text = field == olDescription && given != wide.end()
                                        ? given->second.Text
                                        : CodePoints(orderLines.GetField(row, field));
        write(std::string("        <") + name + ">" + XmlEscaped(text) + "</" + name + ">");
    };
    for (int row = 0; row < orderLines.RowCount(); ++row) {
        write("    <item>");
        element(row, olQuantity, "quantity");
        element(row, olPrice, "price");
        element(row, olDelivery, "delivery_time");
        element(row, olPartNumber, "part_number");
        element(row, olDescription, "description");
        write("    </item>");
    }
    write("</order>");
}

void EachOrderFileLine(const TTxtTable& orderLines, OrderFileKind kind,
                       const WideDescriptions& wide, const LineWriter& write) {
    switch (kind) {
    case TextFile:
        return TextLines(orderLines, write);
    case XmlFile:
        return XmlLines(orderLines, wide, write);
    case SpreadsheetFile:
        break;
    }
    XlsLines(orderLines, write);
}

} // namespace

std::vector<std::string> OrderFileLines(const TTxtTable& orderLines, OrderFileKind kind,
                                        const WideDescriptions& wide) {
    std::vector<std::string> lines;
    EachOrderFileLine(orderLines, kind, wide,
                      [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

void WriteOrderFile(const std::string& path, const TTxtTable& orderLines, OrderFileKind kind,
                    const WideDescriptions& wide) {
    WriteLinesAsMade(
        path, [&](const LineWriter& write) { EachOrderFileLine(orderLines, kind, wide, write); });
}

void SaveOrderXls(const TTxtTable& orderLines, const std::string& path) {
    WriteOrderFile(path, orderLines, SpreadsheetFile);
}

void SaveOrderText(const TTxtTable& orderLines, const std::string& path) {
    WriteOrderFile(path, orderLines, TextFile);
}

void SaveOrderXml(const TTxtTable& orderLines, const std::string& path) {
    WriteOrderFile(path, orderLines, XmlFile);
}

} // namespace pelmora

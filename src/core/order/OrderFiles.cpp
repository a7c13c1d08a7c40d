#include "OrderFiles.h"

#include "OrderItem.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "catalogue/TxtTable.h"

#include <algorithm>
#include <vector>

namespace pelmora {

namespace {

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string LeftAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

// The characters XML gives a meaning, written as entity references.
std::string XmlEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

std::string EnsureExtension(const std::string& fileName, const std::string& extension) {
    const size_t point = fileName.rfind('.');
    const std::string current = point == std::string::npos ? "" : fileName.substr(point);
    return SameTextNoCase(current, extension) ? fileName : fileName + extension;
}

void SaveOrderXls(const TTxtTable& orderLines, const std::string& path) {
    std::vector<std::string> lines{"QUANTITY\tPRICE\tDELIVERY TIME\tPART NUMBER\tDESCRIPTION"};
    for (std::string line : orderLines.Lines) {
        std::replace(line.begin(), line.end(), '|', '\t');
        lines.push_back(std::move(line));
    }
    WriteLines(path, lines);
}

void SaveOrderText(const TTxtTable& orderLines, const std::string& path) {
    const std::string gap(4, ' ');
    std::vector<std::string> lines{RightAligned("QUANTITY", 10) + RightAligned("PRICE", 20) + gap +
                                   LeftAligned("DELIVERY TIME", 20) + gap +
                                   LeftAligned("PART NUMBER", 20) + "    DESCRIPTION"};
    for (int row = 0; row < orderLines.RowCount(); ++row) {
        lines.push_back(RightAligned(orderLines.GetField(row, olQuantity), 10) +
                        RightAligned(orderLines.GetField(row, olPrice), 20) + gap +
                        LeftAligned(orderLines.GetField(row, olDelivery), 20) + gap +
                        LeftAligned(orderLines.GetField(row, olPartNumber), 20) + gap +
                        orderLines.GetField(row, olDescription));
    }
    WriteLines(path, lines);
}

void SaveOrderXml(const TTxtTable& orderLines, const std::string& path) {
    // Descriptions carry the degree sign as byte 0xB0, so the encoding is declared.
    std::vector<std::string> lines{"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", "<order>"};
    auto element = [&](int row, OrderLineField field, const char* name) {
        lines.push_back(std::string("        <") + name + ">" +
                        XmlEscaped(orderLines.GetField(row, field)) + "</" + name + ">");
    };
    for (int row = 0; row < orderLines.RowCount(); ++row) {
        lines.push_back("    <item>");
        element(row, olQuantity, "quantity");
        element(row, olPrice, "price");
        element(row, olDelivery, "delivery_time");
        element(row, olPartNumber, "part_number");
        element(row, olDescription, "description");
        lines.push_back("    </item>");
    }
    lines.push_back("</order>");
    WriteLines(path, lines);
}

} // namespace pelmora

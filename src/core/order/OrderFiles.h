#pragma once

#include <map>
#include <string>
#include <vector>

namespace pelmora {

class TTxtTable;

// The filter of the order form's save dialog; its entries in this order.
constexpr const char* OrderFileFilter =
    "Excel Sheet   (*.xls)|*.xls|Text File   (*.txt)|*.txt|XML File   (*.xml)|*.xml";
enum OrderFileKind { SpreadsheetFile = 1, TextFile = 2, XmlFile = 3 };
// The open dialog's filter: every kind the program saves, then each on its own.
constexpr const char* OrderOpenFilter =
    "Order Files (*.xls *.txt *.xml)|*.xls;*.txt;*.xml|Excel Sheet   (*.xls)|*.xls|"
    "Text File   (*.txt)|*.txt|XML File   (*.xml)|*.xml";

// The name with the extension appended unless it already ends in it (letter case
// ignored): order.txt saved as a spreadsheet becomes order.txt.xls.
std::string EnsureExtension(const std::string& fileName, const std::string& extension);

// A description with characters Windows-1252 lacks, for which its order line holds
// "?": the XML keeps them as character references; the .xls, the .txt and the bill
// of materials, Windows-1252 files, cannot.
struct WideDescription {
    size_t Line = 0; // of the input it came from
    std::u32string Text;
    bool operator==(const WideDescription&) const = default;
};
// By row of the order.
using WideDescriptions = std::map<int, WideDescription>;

// "the description's U+03B1 cannot be written in Windows-1252; the .xls file holds
// "?" for each", told at the description's line.
std::string LostCharacters(const WideDescription& description, const std::string& file);
// The same after "line 3: ".
std::string LostCharactersMessage(const WideDescription& description, const std::string& file);

// The lines of each kind of order file (written with CR LF after each).
std::vector<std::string> OrderFileLines(const TTxtTable& orderLines, OrderFileKind kind,
                                        const WideDescriptions& wide = {});

// The order as TAB-separated lines under a header, as fixed-width text, or as XML.
// Replaces the file whole, each line written as it is made; throws FileError when
// it cannot be written.
void WriteOrderFile(const std::string& path, const TTxtTable& orderLines, OrderFileKind kind,
                    const WideDescriptions& wide = {});
void SaveOrderXls(const TTxtTable& orderLines, const std::string& path);
void SaveOrderText(const TTxtTable& orderLines, const std::string& path);
void SaveOrderXml(const TTxtTable& orderLines, const std::string& path);

} // namespace pelmora

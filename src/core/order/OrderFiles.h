#pragma once

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

// The lines of each kind of order file (written with CR LF after each).
std::vector<std::string> OrderFileLines(const TTxtTable& orderLines, OrderFileKind kind);

// The order as TAB-separated lines under a header, as fixed-width text, or as XML.
// Each replaces the file whole; throws FileError when it cannot be written.
void SaveOrderXls(const TTxtTable& orderLines, const std::string& path);
void SaveOrderText(const TTxtTable& orderLines, const std::string& path);
void SaveOrderXml(const TTxtTable& orderLines, const std::string& path);

} // namespace pelmora

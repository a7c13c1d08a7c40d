// The files the command line reads and writes for its commands.
#include "Cli.h"
#include "Commands.h"
#include "catalogue/Errors.h"
#include "catalogue/FileSystem.h"
#include "catalogue/Text1252.h"
#include "order/BillOfMaterials.h"
#include "order/OrderFiles.h"

#include <functional>

namespace pelmora::cli {

namespace {

using OrderWriter = std::function<void(const TTxtTable&, const std::string&)>;

// The writer the file's extension names; a usage error for any other name.
OrderWriter WriterFor(const std::string& path) {
    const size_t point = path.rfind('.');
    const std::string extension = point == std::string::npos ? "" : path.substr(point);
    if (SameTextNoCase(extension, ".xls"))
        return SaveOrderXls;
    if (SameTextNoCase(extension, ".txt"))
        return SaveOrderText;
    if (SameTextNoCase(extension, ".xml"))
        return SaveOrderXml;
    throw UsageError("--out must end in .xls, .txt or .xml");
}

std::string ReadInput(const std::string& path) {
    try {
        return ReadInputFile(path);
    } catch (const FileError& error) {
        throw UsageError(error.what());
    }
}

} // namespace

// Every argument is checked before anything is written.
int Order(Cli& cli, const OrderFiles& files) {
    const OrderWriter writer = files.Out ? WriterFor(*files.Out) : OrderWriter();
    const service::Order order = service::MakeOrder(cli.Session, ReadInput(files.In), files.In);
    if (writer)
        writer(order.Lines, *files.Out);
    if (files.Bom)
        WriteBillOfMaterials(order.Lines, *files.Bom, cli.Session.App.Tables(cli.Session.Platform));
    if (!writer)
        cli.Print(service::OrderReply(cli.Session, order));
    return order.Status;
}

Arguments ScriptOf(const std::string& path) {
    return service::ScriptActions(ReadInput(path));
}

} // namespace pelmora::cli

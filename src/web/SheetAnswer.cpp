#include "SheetAnswer.h"

#include "SheetPdf.h"
#include "SpecSheet.h"
#include "Utf8.h"

namespace pelmora {

void SheetAnswer(service::Session& session, const std::vector<std::string>& actions,
                 const std::optional<std::string>& part, web::Response& response) {
    if (actions.empty() == !part)
        throw web::HttpError{400, "give either the actions (a) or one part"};
    const std::optional<service::SheetContent> sheet =
        part ? service::SheetOfPart(session, *part) : service::SheetOfActions(session, actions);
    if (!sheet)
        throw web::HttpError{404, part ? "no specification sheet for \"" + *part + "\""
                                       : "no specification sheet for this configuration"};
    const std::string title = service::ToUtf8(sheet->Header.PartNumber);
    const QByteArray pdf =
        SpecificationSheetPdf(session.App.ImagesDir, sheet->Header, sheet->Rows, title);
    response.SetHeader("Content-Disposition", web::Disposition("inline", title + ".pdf"));
    response.ContentType = "application/pdf";
    response.Body = pdf.toStdString();
}

} // namespace pelmora

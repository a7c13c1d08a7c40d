#include "Text1252Qt.h"

#include "catalogue/Text1252.h"

namespace pelmora {

QString FromCore(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text.append(QChar(static_cast<char16_t>(CodePoint1252(static_cast<unsigned char>(c)))));
    return text;
}

std::string ToCore(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text)
        bytes.push_back(Byte1252(c.unicode()));
    return bytes;
}

QString MessageText(const std::string& bytes) {
    QString text = FromCore(bytes);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace pelmora

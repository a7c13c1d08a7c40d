#pragma once

#include <QString>
#include <string>

// The one place where the core's Windows-1252 bytes meet Qt's Unicode strings.
namespace pelmora {

QString FromCore(const std::string& bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string ToCore(const QString& text);
// A message text of the core, with its "\r" line breaks made real line breaks.
QString MessageText(const std::string& bytes);

} // namespace pelmora
